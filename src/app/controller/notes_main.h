// TFrmNotesMain: the program's main controller. It owns the three note
// tables, the notification-area icon with its menus, the start-up timer and
// the minute timer of reminders and expiry; it opens the tables once the
// event loop runs, shows the notes that were open, makes new notes from
// templates, and on shutdown saves every open note, records the clean end
// and optionally backs up the notes table and empties the trash. Its own
// window is never shown.
#pragma once

#include <QList>
#include <QMenu>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "app/note/note_host.h"
#include "reminders/clock_jump.h"
#include "settings/controller_settings.h"

namespace pw {

class PassClock;
class SoundPlayer;
class TFrmAlarm;
class TFrmNote;
class TTrayNotifyIcon;
class TTzDbf;

class TFrmNotesMain : public QWidget, public NoteHost {
  Q_OBJECT

 public:
  // `dataFolder`: where the tables and Config.cfg live (a final "/" is
  // added when missing).
  explicit TFrmNotesMain(const QString& dataFolder, QWidget* parent = nullptr);
  ~TFrmNotesMain() override;

  const QString& DataFolder() const { return dataFolder_; }
  const ControllerSettings& Settings() const override { return settings_; }
  bool PackRequested() const { return packRequest_; }
  TTzDbf& TzNotes() override { return *tzNotes_; }
  TTzDbf& TzTrash() { return *tzTrash_; }
  TTzDbf& TzDefaults() { return *tzDefaults_; }
  QTimer* TimerInitialize() const { return timerInitialize_; }
  QMenu* PopupMenu1() const { return popupMenu1_; }
  QMenu* NewNoteMenu() const { return newNote1_; }
  QMenu* PupTemplate() const { return pupTemplate_; }
  TTrayNotifyIcon* TrayIcon() const { return trayIcon_; }
  // The primary screen's size unless set (tests).
  void SetScreenSize(QSize size) { screenSize_ = size; }
  // The screens note windows are kept on: the set screen size, or every
  // screen of the desktop.
  QList<QRect> ScreenRects() const override;
  // The collapse and expand sounds; the desktop's player unless replaced.
  SoundPlayer& Sounds();
  void SetSoundPlayer(std::unique_ptr<SoundPlayer> player);
  void PlayDataSound(const QString& fileName) override;
  QWidget* NoteWindowParent() override { return this; }
  bool CopyNoteToTrash() override;

  // Start-up, in the order the program runs them.
  void FormCreate();
  void CheckLastSession();
  void TimerInitializeTimer();
  bool OpenNotesFiles();
  void DisplayOpenNotes();

  // The minute timer and its passes (notes_timer*.cpp).
  enum class ExpireMode { kStartup = 1, kRunning = 2 };
  QTimer* TimerCheck() const { return timerCheck_; }
  void TimerCheckTimer();
  void ExpireNotes(ExpireMode mode);
  bool NoteIsExpired(TTzDbf& table);
  void FireReminders();
  bool ReminderIsDue(TTzDbf& table);
  // Today and the time of day for the passes; the local clock unless
  // replaced (tests).
  void SetClock(std::unique_ptr<PassClock> clock);

  // Menu commands.
  void HideAllNotes1Click();
  void NewNote1Click(QMenu* submenu) override;
  void PupTemplatePopup();
  TFrmNote* NewNoteFromTemplate(int number) override;
  void Help1Click() override;
  void About1Click() override;
  // Brings the program forward when a second copy asks for it.
  void BringForward();

  // The shutdown; runs once, later calls do nothing.
  void FormCloseQuery();
  void EmptyTrash();

 signals:
  // The program should end (after the shutdown, or when the tables cannot
  // be opened).
  void programEndRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void FillTemplateMenu(const QList<QAction*>& items);
  // Sends `message` to the window of every record showing "Y".
  void SendToOpenNotes(int message);
  void BackupNotes();
  TFrmNote* ShowNoteWindow();
  void SetUpTimerCheck();
  void WatchWallClock();
  // Hides (start-up mode: marks hidden) the current note of an expiry pass
  // and moves it to the trash when it asks for it; true when it was moved.
  bool ExpireNote(ExpireMode mode);
  TFrmAlarm* OpenReminderWindow();

  QString dataFolder_;
  ControllerSettings settings_{};
  bool packRequest_ = false;
  bool shutDown_ = false;
  QSize screenSize_;
  std::unique_ptr<TTzDbf> tzNotes_;
  std::unique_ptr<TTzDbf> tzTrash_;
  std::unique_ptr<TTzDbf> tzDefaults_;
  std::unique_ptr<SoundPlayer> sounds_;
  QTimer* timerInitialize_;
  QTimer* timerCheck_ = nullptr;
  QTimer* timerClockWatch_ = nullptr;
  std::unique_ptr<PassClock> clock_;
  ClockJumpDetector clockJumps_;
  TTrayNotifyIcon* trayIcon_ = nullptr;
  QMenu* popupMenu1_ = nullptr;
  QMenu* newNote1_ = nullptr;
  QMenu* pupTemplate_ = nullptr;
};

}  // namespace pw
