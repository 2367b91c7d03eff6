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
constexpr QRect kHeadingRect(9, 6, 201, 16);
constexpr QRect kCaptionLabel(9, 24, 236, 16);
constexpr QRect kRichEdit(8, 46, 237, 116);
constexpr QSize kButtonSize(77, 25);
constexpr int kButtonTop = 172;
// BtnSnooze's left is half the width less this, OkButton lies this far right
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
      replayTimer_(new QTimer(this)),
      snoozeTimer_(new QTimer(this)) {
  setObjectName(QStringLiteral("FrmAlarm"));
  setWindowTitle(QStringLiteral("Note Alarm"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(kDesignClientSize);
  setMinimumSize(kSmallestClientSize);
  BuildControls();

  replayTimer_->setObjectName(QStringLiteral("TimerReplay"));
  snoozeTimer_->setObjectName(QStringLiteral("TimerSnooze"));
  // A repeat interval below 1 minute means no repeat (TimerReplay stays
  // off); a snooze below 1 minute counts as 1, so a snoozed window comes
  // back.
  replayTimer_->setInterval(std::clamp(settings_.repeatInterval, 1, kLongestIntervalMinutes) *
                            kMinuteMs);
  snoozeTimer_->setInterval(std::clamp(settings_.snoozeInterval, 1, kLongestIntervalMinutes) *
                            kMinuteMs);
  connect(replayTimer_, &QTimer::timeout, this, &ReminderWindow::onReplayTimeout);
  connect(snoozeTimer_, &QTimer::timeout, this, &ReminderWindow::onSnoozeTimeout);
  if (settings_.desktopNotifications) {
    notification_ = new DesktopNotification(
        {kSnoozeAction, QStringLiteral("Snooze"), kOkAction, QStringLiteral("OK")}, this);
    connect(notification_, &DesktopNotification::actionInvoked, this, [this](const QString& key) {
      if (key == kSnoozeAction) onSnoozeClicked();
      if (key == kOkAction) onOkClicked();
    });
    connect(notification_, &DesktopNotification::dismissed, this, &ReminderWindow::onOkClicked);
  }
  PlaceOnScreen();
}

void ReminderWindow::BuildControls() {
  QPalette captionColours = palette();
  captionColours.setColor(QPalette::WindowText,
                          palette().color(QPalette::Active, QPalette::Highlight));

  headingLabel_ = new QLabel(QStringLiteral("The following alarm has activated:"), this);
  headingLabel_->setObjectName(QStringLiteral("Label1"));
  headingLabel_->setWordWrap(true);
  headingLabel_->setPalette(captionColours);
  // The design width holds the text on one line in the design's small font;
  // a larger desktop font gets the width it needs, not a clipped second line.
  QRect headingRect = kHeadingRect;
  headingRect.setWidth(
      std::max(kHeadingRect.width(),
               headingLabel_->fontMetrics().horizontalAdvance(headingLabel_->text()) + 2));
  headingLabel_->setGeometry(headingRect);

  captionLabel_ = new QLabel(this);
  captionLabel_->setObjectName(QStringLiteral("LblCaption"));
  captionLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  QFont bold = captionLabel_->font();
  bold.setBold(true);
  captionLabel_->setFont(bold);
  captionLabel_->setPalette(captionColours);

  editor_ = new NoteEditor(this);
  editor_->setObjectName(QStringLiteral("RichEdit1"));
  editor_->setReadOnly(true);
  editor_->SetUrlDetection(true);
  editor_->SetFullEditorEnabled(false);

  snoozeButton_ = new QPushButton(QStringLiteral("Snooze"), this);
  snoozeButton_->setObjectName(QStringLiteral("BtnSnooze"));
  okButton_ = new QPushButton(QStringLiteral("Ok"), this);
  okButton_->setObjectName(QStringLiteral("BtnOk"));
  okButton_->setDefault(true);
  connect(snoozeButton_, &QPushButton::clicked, this, &ReminderWindow::onSnoozeClicked);
  connect(okButton_, &QPushButton::clicked, this, &ReminderWindow::onOkClicked);
  LayoutButtons();
}

void ReminderWindow::LayoutButtons() {
  // The caption and the text stretch with the window; the buttons keep
  // their distance to the bottom edge and stay centred.
  const int widthGrowth = width() - kDesignClientSize.width();
  const int heightGrowth = height() - kDesignClientSize.height();
  captionLabel_->setGeometry(kCaptionLabel.adjusted(0, 0, widthGrowth, 0));
  editor_->setGeometry(kRichEdit.adjusted(0, 0, widthGrowth, heightGrowth));
  const int snoozeLeft = width() / 2 - kSnoozeLeftOfCentre;
  snoozeButton_->setGeometry(QRect(QPoint(snoozeLeft, kButtonTop + heightGrowth), kButtonSize));
  okButton_->setGeometry(
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
  captionLabel_->setText(caption);
}

void ReminderWindow::SetNoteColor(const QColor& color) {
  editor_->SetBackgroundColor(color);
}

bool ReminderWindow::LoadText(QIODevice* stream) {
  return editor_->LoadFromStream(stream);
}

void ReminderWindow::ShowReminder() {
  show();
  Notify();
  // Only a shown window knows the size of its frame, which a corner needs.
  PlaceOnScreen();
  BringToFront();
  PlayReminderSound();
  if (settings_.playSound && settings_.repeatInterval > 0) {
    replayTimer_->start();
  } else {
    replayTimer_->stop();
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
  const QStringList lines = editor_->toPlainText().trimmed().split(QChar::LineFeed);
  // The body is markup to most servers.
  notification_->Show(captionLabel_->text(),
                      lines.mid(0, kNotificationLines).join('\n').toHtmlEscaped());
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
  if (notification_ != nullptr) notification_->Close();
  QWidget::closeEvent(event);
}

void ReminderWindow::onSnoozeClicked() {
  if (notification_ != nullptr) notification_->Close();
  replayTimer_->stop();
  hide();
  snoozeTimer_->start();
}

void ReminderWindow::onSnoozeTimeout() {
  snoozeTimer_->stop();
  ShowReminder();
}

void ReminderWindow::onReplayTimeout() {
  PlayReminderSound();
}

void ReminderWindow::onOkClicked() {
  close();
}

}  // namespace pw
