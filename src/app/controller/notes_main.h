// NotesController: the program's main controller. It owns the three note
// tables, the notification-area icon with its menus, the start-up timer and
// the minute timer of reminders and expiry; it opens the tables once the
// event loop runs, shows the notes that were open, makes new notes from
// templates, and on shutdown saves every open note, records the clean end
// and optionally backs up the notes table and empties the trash. Its own
// window is never shown.
#pragma once

#include <QDialog>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/maintain/maintain_notes_host.h"
#include "app/note/note_host.h"
#include "import/note_import.h"
#include "reminders/clock_jump.h"
#include "settings/controller_settings.h"

namespace pw {

class NotesSync;
class PassClock;
class SoundPlayer;
class TaskbarButton;
class NotesManagerWindow;
class ReminderWindow;
class NoteWindow;
class TrayNotifyIcon;
class DbfTable;

// What an import ends with: whether it went through, and what to tell.
struct ImportSummary {
  bool ok = true;
  QString text;  // empty when the user called the import off
};

class NotesController : public QWidget,
                        public NoteHost,
                        public MaintainNotesHost,
                        public ImportedNoteSink {
  Q_OBJECT

 public:
  // `dataFolder`: where the tables and Config.cfg live (a final "/" is
  // added when missing).
  explicit NotesController(const QString& dataFolder, QWidget* parent = nullptr);
  ~NotesController() override;

  const QString& DataFolder() const override { return dataFolder_; }
  const ControllerSettings& Settings() const override { return settings_; }
  bool PackRequested() const { return packRequest_; }
  DbfTable& NotesTable() override { return *notesTable_; }
  DbfTable& TrashTable() { return *trashTable_; }
  DbfTable& TemplatesTable() override { return *templatesTable_; }
  QTimer* StartupTimer() const { return startupTimer_; }
  QMenu* TrayMenu() const { return trayMenu_; }
  QMenu* NewNoteMenu() const { return newNoteMenu_; }
  QMenu* NoteTemplateMenu() override { return noteTemplateMenu_; }
  QMenu* TemplateMenu() const { return templateMenu_; }
  TrayNotifyIcon* TrayIcon() const { return trayIcon_; }
  // Null until FormCreate.
  TaskbarButton* TaskbarButtonWindow() const { return taskbarButton_.get(); }
  // The primary screen's size unless set (tests).
  void SetScreenSize(QSize size) { screenSize_ = size; }
  // The screens note windows are kept on: the set screen size, or every
  // screen of the desktop.
  QList<QRect> ScreenRects() const override;
  // Whether the program places its windows: the platform's answer unless
  // set (tests).
  bool PlacesWindows() const override;
  void SetPlacesWindows(bool places) { placesWindows_ = places; }
  // The collapse and expand sounds; the desktop's player unless replaced.
  SoundPlayer& Sounds();
  void SetSoundPlayer(std::unique_ptr<SoundPlayer> player);
  void PlayDataSound(const QString& fileName) override;
  QWidget* NoteWindowParent() override { return this; }
  bool CopyNoteToTrash() override;
  bool CopyNoteToTrashFrom(DbfTable& source) override;
  void ShowNoteOfRecord(std::int32_t recordNumber) override;

  // Start-up, in the order the program runs them.
  void FormCreate();
  void CheckLastSession();
  void onStartupTimeout();
  bool OpenNotesFiles();
  void DisplayOpenNotes();
  // The tables are open and the notes shown; the shutdown has not begun.
  bool Started() const { return started_; }
  bool ShuttingDown() const { return shutDown_; }

  // The minute timer and its passes (notes_timer*.cpp).
  enum class ExpireMode { kStartup = 1, kRunning = 2 };
  QTimer* MinuteTimer() const { return minuteTimer_; }
  void onMinuteTimeout();
  void ExpireNotes(ExpireMode mode);
  bool NoteIsExpired(DbfTable& table);
  void FireReminders();
  bool ReminderIsDue(DbfTable& table);
  // Today and the time of day for the passes; the local clock unless
  // replaced (tests).
  void SetClock(std::unique_ptr<PassClock> clock);

  // Menu commands.
  void onHideAllNotes();
  void onNewNote(QMenu* submenu);
  void onTemplateMenuAboutToShow();
  // A new note from template `number`; null when none could be made.
  NoteWindow* NewNoteFromTemplate(int number);
  void onHelp() override;
  void onAbout() override;
  // The configuration dialog on its "Preferences" page, or on its
  // "Templates" page; a dialog already open comes forward instead.
  void onConfigure() override;
  void ConfigureTemplates();
  // Opens the Notes & Reminders window, or brings it forward when open.
  void onNotesAndReminders() override;
  NotesManagerWindow* MaintainNotes() const;
  // The properties dialog of the note in `recordNumber`, through its open window.
  void EditNotePropertiesOfRecord(std::int32_t recordNumber);
  // Brings the open notes forward.
  void BringForward();
  // What a second start without a command shows.
  void SecondStart();
  // Gives every note of the notes table a window, the hidden ones too.
  void ShowAllNotes();

  // Importing notes from other programs (notes_import.cpp). `confirm`, when
  // set, sees what the sources hold before anything is written and may
  // call the import off.
  using ImportConfirmation = std::function<bool(const QString& preview)>;
  ImportSummary ImportNotes(const QStringList& paths, const ImportConfirmation& confirm = {});
  void onImportNotes(QWidget* owner) override;
  // The files "Import Notes..." imports; a file chooser unless replaced.
  std::function<QStringList(QWidget* owner)> ChooseImportPaths = DefaultImportChooser;
  std::int32_t AddImportedNote(const ImportedNote& note) override;
  void RemoveImportedNote(std::int32_t recordNumber) override;
  // The sync of the notes with a CalDAV server.
  NotesSync& Sync() { return *sync_; }

  // The shutdown; runs once, later calls do nothing.
  void FormCloseQuery();
  void EmptyTrash();

 signals:
  // The program should end (after the shutdown, or when the tables cannot
  // be opened).
  void programEndRequested();
  // The start-up has opened the tables and shown the notes.
  void startupFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Where a new note at `place` opens: offset from open notes already there.
  QPoint CascadeNewNote(QPoint place, QSize note, QRect screen);
  void BuildMenus();
  void FillTemplateMenu(const QList<QAction*>& items);
  // Sends `message` to the window of every record showing "Y".
  void SendToOpenNotes(int message);
  void BackupNotes();
  NoteWindow* ShowNoteWindow();
  void AddNoTemplateItems();
  // Shows or hides the program's task bar button as the settings say.
  void ApplyTaskbarButton();
  void OpenConfiguration(int page);
  // Says once, in a message, that this desktop does not keep the places.
  void TellWhenPlacesAreNotKept();
  void SetUpTimerCheck();
  void WatchWallClock();
  // Hides (start-up mode: marks hidden) the current note of an expiry pass
  // and moves it to the trash when it asks for it; true when it was moved.
  bool ExpireNote(ExpireMode mode);
  ReminderWindow* OpenReminderWindow();
  // Where imported notes are placed: the primary screen's available area.
  QRect ImportArea() const;
  static QStringList DefaultImportChooser(QWidget* owner);

  QString dataFolder_;
  ControllerSettings settings_{};
  bool packRequest_ = false;
  bool shutDown_ = false;
  bool started_ = false;
  QSize screenSize_;
  std::optional<bool> placesWindows_;
  std::unique_ptr<DbfTable> notesTable_;
  std::unique_ptr<DbfTable> trashTable_;
  std::unique_ptr<DbfTable> templatesTable_;
  std::unique_ptr<SoundPlayer> sounds_;
  std::unique_ptr<TaskbarButton> taskbarButton_;
  QTimer* startupTimer_;
  QTimer* minuteTimer_ = nullptr;
  QTimer* timerClockWatch_ = nullptr;
  std::unique_ptr<PassClock> clock_;
  ClockJumpDetector clockJumps_;
  TrayNotifyIcon* trayIcon_ = nullptr;
  QMenu* trayMenu_ = nullptr;
  QMenu* newNoteMenu_ = nullptr;
  QMenu* noteTemplateMenu_ = nullptr;
  QMenu* templateMenu_ = nullptr;
  // Shown in TemplateMenu while no template is set.
  QAction* noTemplateSet_ = nullptr;
  QAction* configureTemplates_ = nullptr;
  QPointer<QDialog> configDialog_;
  QPointer<NotesManagerWindow> maintainNotes_;
  NotesSync* sync_;
};

}  // namespace pw
