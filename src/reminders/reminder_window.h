// ReminderWindow, "Note Alarm": the window that announces a reminder. It shows
// the note's caption and rich text on the note's colour, plays the reminder
// sound and repeats it until the user snoozes (hide, come back later) or
// dismisses it. Each window reads section "Reminder" of Config.cfg when it is
// made and is independent of every other; a closed one deletes itself.
// When so configured, a desktop notification with the same caption and
// buttons stands beside it: an answer in either acts on both.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "settings/reminder_settings.h"

class QIODevice;
class QLabel;
class QPushButton;
class QTimer;

namespace pw {

class DesktopNotification;
class NoteEditor;
class SoundPlayer;

class ReminderWindow : public QWidget {
  Q_OBJECT

 public:
  // Reads the settings from Config.cfg in `dataFolder` (the default sound
  // lies there too) and places the window. `sounds` must outlive it.
  ReminderWindow(const QString& dataFolder, SoundPlayer& sounds, QWidget* parent = nullptr);

  const ReminderSettings& Settings() const { return settings_; }
  void SetCaption(const QString& caption);
  void SetNoteColor(const QColor& color);
  // The note's rich text (RTF or plain) from `stream`; false when unreadable.
  bool LoadText(QIODevice* stream);

  // Shows the window and rings: the program and the window come to the
  // front, the sound plays once, and TimerReplay repeats it.
  void ShowReminder();

  void onSnoozeClicked();
  void onOkClicked();
  void onReplayTimeout();
  void onSnoozeTimeout();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void LayoutButtons();
  void PlaceOnScreen();
  // Plays the sound to its end when PlaySound is on and the file exists,
  // then brings the window to the front.
  void PlayReminderSound();
  void BringToFront();
  void Notify();

  ReminderSettings settings_;
  SoundPlayer& sounds_;
  QLabel* headingLabel_;
  QLabel* captionLabel_;
  NoteEditor* editor_;
  QPushButton* snoozeButton_;
  QPushButton* okButton_;
  QTimer* replayTimer_;
  QTimer* snoozeTimer_;
  // Null unless reminders are also desktop notifications.
  DesktopNotification* notification_ = nullptr;
};

}  // namespace pw
