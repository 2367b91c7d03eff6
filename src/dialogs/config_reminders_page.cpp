// The "Reminders" page of the configuration dialog: the reminder sound,
// how often it repeats, how long a snooze lasts and the screen corner
// reminders appear in.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/sound_player.h"
#include "dialogs/config_dialog.h"
#include "dialogs/named_widget.h"

namespace pw {
namespace {

constexpr int kIntervalDigits = 4;

QLineEdit* IntervalEdit(const char* name, QWidget* page) {
  auto* edit = Named(name, new QLineEdit(page));
  edit->setMaxLength(kIntervalDigits);
  // Wide enough for its four digits at any font size, and no wider.
  edit->setFixedWidth(edit->minimumSizeHint().width() +
                      edit->fontMetrics().horizontalAdvance(QString(kIntervalDigits, u'0')));
  return edit;
}

}  // namespace

QWidget* ConfigDialog::BuildRemindersPage() {
  auto* page = Named("TabReminders", new QWidget);
  auto* text = new QLabel(QStringLiteral("Use these settings to control whether or not a sound is "
                                         "played for reminder notes."),
                          page);
  text->setWordWrap(true);
  playSoundCheckBox_ = Named(
      "CkBxPlaySound", new QCheckBox(QStringLiteral("Play sound when reminder activates"), page));
  soundFileEdit_ = Named("EdSoundFile", new QLineEdit(page));
  selectSoundButton_ =
      Named("BtnSelectSound", new QPushButton(QStringLiteral("Select Sound..."), page));
  testButton_ = Named("BtnTest", new QPushButton(QStringLiteral("Test"), page));
  repeatEdit_ = IntervalEdit("EdRepeat", page);
  snoozeEdit_ = IntervalEdit("EdSnooze", page);
  positionCombo_ = Named("CmBxPosition", new QComboBox(page));
  positionCombo_->addItems({QStringLiteral("Top Left Corner"), QStringLiteral("Top Right Corner"),
                            QStringLiteral("Bottom Left Corner"),
                            QStringLiteral("Bottom Right Corner")});

  auto* soundButtons = new QHBoxLayout;
  soundButtons->addWidget(selectSoundButton_);
  soundButtons->addWidget(testButton_);
  soundButtons->addStretch(1);
  auto* intervals = new QGridLayout;
  intervals->addWidget(
      Named("Label2", new QLabel(QStringLiteral("Repeat Reminder sound every"), page)), 0, 0);
  intervals->addWidget(repeatEdit_, 0, 1);
  intervals->addWidget(Named("Label6", new QLabel(QStringLiteral("minutes."), page)), 0, 2);
  intervals->addWidget(Named("Label1", new QLabel(QStringLiteral("Set Snooze to last for "), page)),
                       1, 0);
  intervals->addWidget(snoozeEdit_, 1, 1);
  intervals->addWidget(Named("Label8", new QLabel(QStringLiteral("minutes."), page)), 1, 2);
  intervals->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(text);
  layout->addWidget(playSoundCheckBox_);
  layout->addWidget(Named("Label7", new QLabel(QStringLiteral("Sound File"), page)));
  layout->addWidget(soundFileEdit_);
  layout->addLayout(soundButtons);
  layout->addLayout(intervals);
  layout->addWidget(
      Named("Label9", new QLabel(QStringLiteral("Reminder Notification Position"), page)));
  layout->addWidget(positionCombo_);
  notificationsCheckBox_ =
      Named("CkBxNotifications",
            new QCheckBox(QStringLiteral("Also show reminders as desktop notifications"), page));
  layout->addWidget(notificationsCheckBox_);
  layout->addStretch(1);

  connect(soundFileEdit_, &QLineEdit::textChanged, this,
          [this](const QString& text) { testButton_->setEnabled(!text.isEmpty()); });
  testButton_->setEnabled(false);
  connect(testButton_, &QPushButton::clicked, this, &ConfigDialog::onTestClicked);
  connect(selectSoundButton_, &QPushButton::clicked, this, &ConfigDialog::onSelectSoundClicked);
  return page;
}

void ConfigDialog::onTestClicked() {
  const QString file = soundFileEdit_->text();
  if (QFileInfo(file).isFile()) {
    sounds_.PlayAndWait(file);
    return;
  }
  QMessageBox::information(this, QStringLiteral("Paperwisp"),
                           QStringLiteral("Unable to locate ") + file, QMessageBox::Ok);
}

void ConfigDialog::onSelectSoundClicked() {
  QFileDialog chooser(this, QStringLiteral("Select Alarm Sound"));
  chooser.setObjectName(QStringLiteral("OpenDialog1"));
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setFileMode(QFileDialog::ExistingFile);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setNameFilters({QStringLiteral("Wave Files (*.wav)"), QStringLiteral("All Files (*)")});
  chooser.setDefaultSuffix(QStringLiteral("wav"));
  const QFileInfo current(soundFileEdit_->text());
  if (!soundFileEdit_->text().isEmpty()) {
    chooser.setDirectory(current.absolutePath());
    chooser.selectFile(current.fileName());
  }
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  soundFileEdit_->setText(QFileInfo(chooser.selectedFiles().constFirst()).absoluteFilePath());
}

}  // namespace pw
