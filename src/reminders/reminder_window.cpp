#include "reminders/reminder_window.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "desktop/desktop_notification.h"
#include "desktop/sound_player.h"
#include "reminders/reminder_position.h"
#include "richtext/note_editor.h"
#include "settings/config_keys.h"
#include "settings/ini_file.h"

namespace pw {
namespace {

constexpr QSize kDesignClientSize(253, 203);
constexpr QPoint kDesignPlace(207, 195);
// The smallest outer size is 230 x 230; the caption bar takes the height
// that the design client area (203) lacks of it.
constexpr QSize kSmallestClientSize(230, 203);
constexpr QRect kLabel1(9, 6, 201, 16);
constexpr QRect kCaptionLabel(9, 24, 236, 16);
constexpr QRect kRichEdit(8, 46, 237, 116);
constexpr QSize kButtonSize(77, 25);
constexpr int kButtonTop = 172;
// BtnSnooze's left is half the width less this, BtnOk lies this far right
// of it: the pair stays centred.
constexpr int kSnoozeLeftOfCentre = 82;
constexpr int kOkRightOfSnooze = 80;
constexpr int kMinuteMs = 60000;
// The longest interval a QTimer holds, in minutes.
constexpr int kLongestIntervalMinutes = INT_MAX / kMinuteMs;
// How much of the note's text the desktop notification shows.
constexpr int kNotificationLines = 3;
const QString kSnoozeAction = QStringLiteral("snooze");
const QString kOkAction = QStringLiteral("ok");

QScreen* CurrentScreen() {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

ReminderWindow::ReminderWindow(const QString& dataFolder, SoundPlayer& sounds, QWidget* parent)
    : QWidget(parent, Qt::Window),
      settings_(LoadReminderSettings(IniFile(dataFolder + '/' + kConfigFileName), dataFolder,
                                     config::kReminderPositionInWindow)),
      sounds_(sounds),
      timerReplay_(new QTimer(this)),
      timerSnooze_(new QTimer(this)) {
  setObjectName(QStringLiteral("FrmAlarm"));
  setWindowTitle(QStringLiteral("Note Alarm"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(kDesignClientSize);
  setMinimumSize(kSmallestClientSize);
  BuildControls();

  timerReplay_->setObjectName(QStringLiteral("TimerReplay"));
  timerSnooze_->setObjectName(QStringLiteral("TimerSnooze"));
  // A repeat interval below 1 minute means no repeat (TimerReplay stays
  // off); a snooze below 1 minute counts as 1, so a snoozed window comes
  // back.
  timerReplay_->setInterval(std::clamp(settings_.repeatInterval, 1, kLongestIntervalMinutes) *
                            kMinuteMs);
  timerSnooze_->setInterval(std::clamp(settings_.snoozeInterval, 1, kLongestIntervalMinutes) *
                            kMinuteMs);
  connect(timerReplay_, &QTimer::timeout, this, &ReminderWindow::TimerReplayTimer);
  connect(timerSnooze_, &QTimer::timeout, this, &ReminderWindow::TimerSnoozeTimer);
  if (settings_.desktopNotifications) {
    notification_ = new DesktopNotification(
        {kSnoozeAction, QStringLiteral("Snooze"), kOkAction, QStringLiteral("OK")}, this);
    connect(notification_, &DesktopNotification::actionInvoked, this, [this](const QString& key) {
      if (key == kSnoozeAction) BtnSnoozeClick();
      if (key == kOkAction) BtnOkClick();
    });
    connect(notification_, &DesktopNotification::dismissed, this, &ReminderWindow::BtnOkClick);
  }
  PlaceOnScreen();
}

void ReminderWindow::BuildControls() {
  QPalette captionColours = palette();
  captionColours.setColor(QPalette::WindowText,
                          palette().color(QPalette::Active, QPalette::Highlight));

  label1_ = new QLabel(QStringLiteral("The following alarm has activated:"), this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setWordWrap(true);
  label1_->setPalette(captionColours);
  // The design width holds the text on one line in the design's small font;
  // a larger desktop font gets the width it needs, not a clipped second line.
  QRect label1 = kLabel1;
  label1.setWidth(
      std::max(kLabel1.width(), label1_->fontMetrics().horizontalAdvance(label1_->text()) + 2));
  label1_->setGeometry(label1);

  lblCaption_ = new QLabel(this);
  lblCaption_->setObjectName(QStringLiteral("LblCaption"));
  lblCaption_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  QFont bold = lblCaption_->font();
  bold.setBold(true);
  lblCaption_->setFont(bold);
  lblCaption_->setPalette(captionColours);

  richEdit1_ = new NoteEditor(this);
  richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
  richEdit1_->setReadOnly(true);
  richEdit1_->SetUrlDetection(true);
  richEdit1_->SetFullEditorEnabled(false);

  btnSnooze_ = new QPushButton(QStringLiteral("Snooze"), this);
  btnSnooze_->setObjectName(QStringLiteral("BtnSnooze"));
  btnOk_ = new QPushButton(QStringLiteral("Ok"), this);
  btnOk_->setObjectName(QStringLiteral("BtnOk"));
  btnOk_->setDefault(true);
  connect(btnSnooze_, &QPushButton::clicked, this, &ReminderWindow::BtnSnoozeClick);
  connect(btnOk_, &QPushButton::clicked, this, &ReminderWindow::BtnOkClick);
  LayoutButtons();
}

void ReminderWindow::LayoutButtons() {
  // The caption and the text stretch with the window; the buttons keep
  // their distance to the bottom edge and stay centred.
  const int widthGrowth = width() - kDesignClientSize.width();
  const int heightGrowth = height() - kDesignClientSize.height();
  lblCaption_->setGeometry(kCaptionLabel.adjusted(0, 0, widthGrowth, 0));
  richEdit1_->setGeometry(kRichEdit.adjusted(0, 0, widthGrowth, heightGrowth));
  const int snoozeLeft = width() / 2 - kSnoozeLeftOfCentre;
  btnSnooze_->setGeometry(QRect(QPoint(snoozeLeft, kButtonTop + heightGrowth), kButtonSize));
  btnOk_->setGeometry(
      QRect(QPoint(snoozeLeft + kOkRightOfSnooze, kButtonTop + heightGrowth), kButtonSize));
}

void ReminderWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutButtons();
}

void ReminderWindow::PlaceOnScreen() {
  const QScreen* screen = CurrentScreen();
  if (screen == nullptr) {
    move(kDesignPlace);
    return;
  }
  move(ReminderWindowPlace(settings_.reminderPosition, frameGeometry().size(), screen->geometry(),
                           kDesignPlace));
}

void ReminderWindow::SetCaption(const QString& caption) {
  lblCaption_->setText(caption);
}

void ReminderWindow::SetNoteColor(const QColor& color) {
  richEdit1_->SetBackgroundColor(color);
}

bool ReminderWindow::LoadText(QIODevice* stream) {
  return richEdit1_->LoadFromStream(stream);
}

void ReminderWindow::ShowReminder() {
  show();
  Notify();
  // Only a shown window knows the size of its frame, which a corner needs.
  PlaceOnScreen();
  BringToFront();
  PlayReminderSound();
  if (settings_.playSound && settings_.repeatInterval > 0) {
    timerReplay_->start();
  } else {
    timerReplay_->stop();
  }
}

void ReminderWindow::PlayReminderSound() {
  if (!settings_.playSound) return;
  // A missing file is skipped without a word; the window still comes forward.
  if (QFileInfo(settings_.soundFile).isFile()) sounds_.PlayAndWait(settings_.soundFile);
  BringToFront();
}

void ReminderWindow::BringToFront() {
  raise();
  activateWindow();
  // The urgency hint: a window manager marks the window for a user who works
  // elsewhere (on X11 the WM_HINTS urgency flag).
  QApplication::alert(this);
}

void ReminderWindow::Notify() {
  if (notification_ == nullptr) return;
  const QStringList lines = richEdit1_->toPlainText().trimmed().split(QChar::LineFeed);
  // The body is markup to most servers.
  notification_->Show(lblCaption_->text(),
                      lines.mid(0, kNotificationLines).join('\n').toHtmlEscaped());
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
  if (notification_ != nullptr) notification_->Close();
  QWidget::closeEvent(event);
}

void ReminderWindow::BtnSnoozeClick() {
  if (notification_ != nullptr) notification_->Close();
  timerReplay_->stop();
  hide();
  timerSnooze_->start();
}

void ReminderWindow::TimerSnoozeTimer() {
  timerSnooze_->stop();
  ShowReminder();
}

void ReminderWindow::TimerReplayTimer() {
  PlayReminderSound();
}

void ReminderWindow::BtnOkClick() {
  close();
}

}  // namespace pw
