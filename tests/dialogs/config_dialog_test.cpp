#include "dialogs/config_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "desktop/sound_player.h"
#include "dialogs/config_settings.h"
#include "dialogs/template_values.h"
#include "settings/config_keys.h"
#include "support/modal_dialog.h"
#include "support/recording_sound_player.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

class NoTemplates : public TemplateStore {
 public:
  QStringList Names() override { return {}; }
  bool Read(int, TemplateValues*) override { return false; }
  bool Write(int, const TemplateValues&) override { return false; }
};

class ConfigDialogTest : public ::testing::Test {
 protected:
  QString File(const char* name) const { return QString::fromStdString(dir_.file(name)); }
  QString Folder() const { return QString::fromStdString(dir_.path()); }
  IniFile Config() const { return IniFile(File("Config.cfg")); }
  void Fill() { FillConfigDialog(dialog_, Config(), Folder()); }
  static void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  // Clicks OK and writes the keys as the controller does.
  void ClickOkAndWrite() {
    QTest::mouseClick(dialog_.OkButton(), Qt::LeftButton);
    ASSERT_EQ(dialog_.result(), QDialog::Accepted);
    IniFile config = Config();
    QString error;
    ASSERT_TRUE(WriteConfigDialog(dialog_, config, &error)) << error.toStdString();
  }

  test::TempDir dir_;
  NoTemplates templates_;
  QStringList played_;
  test::RecordingSoundPlayer player_{&played_};
  ConfigDialog dialog_{templates_, player_, File("Config.cfg")};
};

TEST_F(ConfigDialogTest, ShowsEveryCaptionOnThreePagesStartingWithPreferences) {
  EXPECT_EQ(dialog_.windowTitle(), "Configure Paperwisp");
  // The design size, or what the pages need where that is larger.
  EXPECT_GE(dialog_.width(), 341);
  EXPECT_GE(dialog_.height(), 373);
  EXPECT_EQ(dialog_.minimumSize(), dialog_.maximumSize());
  QTabWidget* pages = dialog_.PageControl();
  ASSERT_EQ(pages->count(), 3);
  EXPECT_EQ(pages->tabText(0), "Preferences");
  EXPECT_EQ(pages->tabText(1), "Reminders");
  EXPECT_EQ(pages->tabText(2), "Templates");
  EXPECT_EQ(pages->currentIndex(), 0);
  const std::pair<const char*, const char*> captions[] = {
      {"CkBxLoadPaperwisp", "Load Paperwisp during Windows Startup"},
      {"CkBxBackup", "Backup Notes upon Exit of Paperwisp"},
      {"CkBxEmptyTrash", "Empty Note Trash Bin upon Exit of Paperwisp"},
      {"CkBxSounds", "Enable Sound Effects"},
      // "&&" is how a button shows one ampersand.
      {"CkBxURL", "Enable URL && E-Mail addresses in Notes"},
      {"CkBxTaskbar", "Display Paperwisp Icon on Windows Taskbar"},
      {"CkBxPlaySound", "Play sound when reminder activates"},
      {"CkBxNotifications", "Also show reminders as desktop notifications"},
      {"BtnSelectSound", "Select Sound..."},
      {"BtnTest", "Test"},
      {"BtnEditProps", "Edit Properties..."},
      {"BtnRemove", "Remove Template"},
      {"BtnOk", "OK"},
      {"BtnCancel", "Cancel"}};
  for (const auto& [name, caption] : captions) {
    auto* button = dialog_.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_EQ(button->text(), caption);
  }
  const std::pair<const char*, const char*> labels[] = {
      {"Label7", "Sound File"}, {"Label2", "Repeat Reminder sound every"},
      {"Label6", "minutes."},   {"Label1", "Set Snooze to last for "},
      {"Label8", "minutes."},   {"Label9", "Reminder Notification Position"}};
  for (const auto& [name, caption] : labels) {
    auto* label = dialog_.findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text(), caption);
  }
  EXPECT_EQ(dialog_.RepeatEdit()->maxLength(), 4);
  EXPECT_EQ(dialog_.SnoozeEdit()->maxLength(), 4);
  QStringList corners;
  for (int i = 0; i < dialog_.PositionCombo()->count(); ++i)
    corners << dialog_.PositionCombo()->itemText(i);
  EXPECT_EQ(corners, QStringList({"Top Left Corner", "Top Right Corner", "Bottom Left Corner",
                                  "Bottom Right Corner"}));
}

TEST_F(ConfigDialogTest, WithoutConfigFileShowsTheDefaults) {
  Fill();
  EXPECT_TRUE(dialog_.LoadPaperwispCheckBox()->isChecked());
  EXPECT_FALSE(dialog_.BackupCheckBox()->isChecked());
  EXPECT_FALSE(dialog_.EmptyTrashCheckBox()->isChecked());
  EXPECT_TRUE(dialog_.SoundsCheckBox()->isChecked());
  EXPECT_TRUE(dialog_.URLCheckBox()->isChecked());
  EXPECT_TRUE(dialog_.TaskbarCheckBox()->isChecked());
  EXPECT_TRUE(dialog_.PlaySoundCheckBox()->isChecked());
  EXPECT_FALSE(dialog_.NotificationsCheckBox()->isChecked());
  EXPECT_EQ(dialog_.RepeatEdit()->text(), "10");
  EXPECT_EQ(dialog_.SnoozeEdit()->text(), "5");
  EXPECT_EQ(dialog_.PositionCombo()->currentText(), "Bottom Right Corner");
  EXPECT_EQ(dialog_.SoundFileEdit()->text(), Folder() + "/Reminder.wav");
  EXPECT_TRUE(dialog_.TestButton()->isEnabled());
  EXPECT_FALSE(QFile::exists(File("Config.cfg")));
}

TEST_F(ConfigDialogTest, OkMendsTheIntervalsAndWritesTheLeadingNumbers) {
  const std::tuple<const char*, const char*, int, int, const char*> cases[] = {
      {"abc", "-3", 0, 1, "1"}, {"15x", "0", 15, 1, "1"}, {"0", "7", 0, 7, "7"}};
  for (const auto& [repeat, snooze, repeatKey, snoozeKey, snoozeShown] : cases) {
    Fill();
    dialog_.show();
    dialog_.PageControl()->setCurrentIndex(1);
    Retype(dialog_.RepeatEdit(), repeat);
    Retype(dialog_.SnoozeEdit(), snooze);
    ClickOkAndWrite();
    EXPECT_EQ(ReadSetting(Config(), config::kRepeatInterval), repeatKey) << repeat;
    EXPECT_EQ(ReadSetting(Config(), config::kSnoozeInterval), snoozeKey) << snooze;
    EXPECT_EQ(dialog_.SnoozeEdit()->text(), snoozeShown);
  }
  // "abc" reads as 0, so OK shows it as "0"; "-3" becomes "0" too.
  Fill();
  dialog_.show();
  Retype(dialog_.RepeatEdit(), "abc");
  QTest::mouseClick(dialog_.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog_.RepeatEdit()->text(), "0");
  Retype(dialog_.RepeatEdit(), "-3");
  QTest::mouseClick(dialog_.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog_.RepeatEdit()->text(), "0");
}

TEST_F(ConfigDialogTest, OkWritesEveryBoxAndTheSoundFile) {
  Fill();
  dialog_.show();
  for (QCheckBox* box :
       {dialog_.LoadPaperwispCheckBox(), dialog_.BackupCheckBox(), dialog_.SoundsCheckBox(),
        dialog_.PlaySoundCheckBox(), dialog_.NotificationsCheckBox()})
    // On its mark: a box is as wide as its page, its caption is not.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
  dialog_.PageControl()->setCurrentIndex(1);
  Retype(dialog_.SoundFileEdit(), "/tmp/");
  dialog_.SoundFileEdit()->insert("Jösé/bell.wav");
  dialog_.PositionCombo()->setCurrentIndex(0);
  ClickOkAndWrite();
  const IniFile config = Config();
  EXPECT_FALSE(ReadSetting(config, config::kLoadAtStartup));
  EXPECT_TRUE(ReadSetting(config, config::kBackupFiles));
  EXPECT_FALSE(ReadSetting(config, config::kEmptyTrash));
  EXPECT_FALSE(ReadSetting(config, config::kEnableSounds));
  EXPECT_TRUE(ReadSetting(config, config::kEnableURL));
  EXPECT_FALSE(ReadSetting(config, config::kPlaySound));
  EXPECT_TRUE(ReadSetting(config, config::kDesktopNotifications));
  EXPECT_EQ(config.ReadString("Reminder", "SoundFile", ""), "/tmp/Jösé/bell.wav");
  EXPECT_EQ(ReadSetting(config, config::kReminderPositionInDialog), 0);
}

TEST_F(ConfigDialogTest, PositionOutsideTheFourCornersSelectsNoneAndIsWrittenAsMinusOne) {
  IniFile config = Config();
  ASSERT_TRUE(WriteSetting(config, config::kReminderPositionInDialog, 7));
  Fill();
  EXPECT_EQ(dialog_.PositionCombo()->currentIndex(), -1);
  dialog_.show();
  ClickOkAndWrite();
  EXPECT_EQ(ReadSetting(Config(), config::kReminderPositionInDialog), -1);
}

TEST_F(ConfigDialogTest, TestPlaysAnExistingFileAndNamesAMissingOne) {
  Fill();
  dialog_.show();
  dialog_.PageControl()->setCurrentIndex(1);
  Retype(dialog_.SoundFileEdit(), "");
  EXPECT_FALSE(dialog_.TestButton()->isEnabled());

  Retype(dialog_.SoundFileEdit(), File("missing.wav"));
  QString message;
  test::WhenModal<QMessageBox>([&message](QMessageBox* box) {
    message = box->text();
    box->accept();
  });
  QTest::mouseClick(dialog_.TestButton(), Qt::LeftButton);
  EXPECT_EQ(message, "Unable to locate " + File("missing.wav"));
  EXPECT_TRUE(played_.isEmpty());

  QFile wav(File("bell.wav"));
  ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
  wav.close();
  Retype(dialog_.SoundFileEdit(), File("bell.wav"));
  QTest::mouseClick(dialog_.TestButton(), Qt::LeftButton);
  EXPECT_EQ(played_, QStringList({File("bell.wav")}));
}

TEST_F(ConfigDialogTest, SelectSoundTakesTheChosenFilesFullName) {
  QFile wav(File("chime.wav"));
  ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
  wav.close();
  Fill();
  dialog_.show();
  dialog_.PageControl()->setCurrentIndex(1);
  QString title;
  QStringList filters;
  test::WhenModal<QFileDialog>([&](QFileDialog* chooser) {
    title = chooser->windowTitle();
    filters = chooser->nameFilters();
    // Typed into the name box as a user does: selectFile() leaves the box
    // alone once it has the focus, and Open would take the old name. A
    // dialog left open is closed, so the test fails instead of hanging.
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = chooser->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (name == nullptr || buttons == nullptr) {
      ADD_FAILURE() << "the file dialog has no name box or buttons";
      chooser->reject();
      return;
    }
    name->setText(File("chime.wav"));
    QTest::mouseClick(buttons->button(QDialogButtonBox::Open), Qt::LeftButton);
    if (chooser->isVisible()) {
      ADD_FAILURE() << "Open left the file dialog open";
      chooser->reject();
    }
  });
  QTest::mouseClick(dialog_.SelectSoundButton(), Qt::LeftButton);
  EXPECT_EQ(title, "Select Alarm Sound");
  EXPECT_EQ(filters, QStringList({"Wave Files (*.wav)", "All Files (*)"}));
  EXPECT_EQ(dialog_.SoundFileEdit()->text(), File("chime.wav"));
}

// As QT_FONT_DPI=144 makes it: every font half as large again as at 96.
TEST(ConfigDialogLayout, EveryCaptionAndFieldFitsAtALargeFontSize) {
  const QFont saved = QApplication::font();
  QFont large = saved;
  large.setPointSizeF(saved.pointSizeF() * 1.5);
  QApplication::setFont(large);
  test::TempDir dir;
  NoTemplates templates;
  QStringList played;
  test::RecordingSoundPlayer player{&played};
  ConfigDialog dialog{templates, player, QString::fromStdString(dir.file("Config.cfg"))};
  dialog.show();
  for (int page = 0; page < dialog.findChild<QTabWidget*>()->count(); ++page) {
    dialog.findChild<QTabWidget*>()->setCurrentIndex(page);
    QCoreApplication::processEvents();
    for (QWidget* widget :
         dialog.findChild<QTabWidget*>()->currentWidget()->findChildren<QWidget*>()) {
      if (!widget->isVisible() || qobject_cast<QLabel*>(widget->parentWidget()) != nullptr)
        continue;
      const auto* label = qobject_cast<QLabel*>(widget);
      if (label != nullptr && label->wordWrap()) {
        EXPECT_GE(label->height(), label->heightForWidth(label->width()))
            << label->text().toStdString();
      } else if (label != nullptr || qobject_cast<QAbstractButton*>(widget) != nullptr ||
                 qobject_cast<QComboBox*>(widget) != nullptr) {
        EXPECT_GE(widget->width(), widget->sizeHint().width())
            << widget->objectName().toStdString();
        EXPECT_GE(widget->height(), widget->sizeHint().height())
            << widget->objectName().toStdString();
      }
    }
  }
  for (const char* name : {"EdRepeat", "EdSnooze"}) {
    auto* edit = dialog.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr);
    edit->setText("9999");
    EXPECT_GE(edit->width(),
              edit->minimumSizeHint().width() + edit->fontMetrics().horizontalAdvance("9999"))
        << name;
  }
  dialog.close();
  QApplication::setFont(saved);
}

}  // namespace
}  // namespace pw
