#include <gtest/gtest.h>

#include <QFile>
#include <fstream>

#include "settings/config_keys.h"
#include "settings/controller_settings.h"
#include "settings/reminder_settings.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

QString Q(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

TEST(SettingsTest, EveryKeyHasItsDefaultWithoutAFile) {
  test::TempDir dir;
  const IniFile file(Q(dir.file("Config.cfg")));
  EXPECT_TRUE(ReadSetting(file, config::kLoadAtStartup));
  EXPECT_FALSE(ReadSetting(file, config::kBackupFiles));
  EXPECT_FALSE(ReadSetting(file, config::kEmptyTrash));
  EXPECT_TRUE(ReadSetting(file, config::kEnableSounds));
  EXPECT_TRUE(ReadSetting(file, config::kEnableURL));
  EXPECT_TRUE(ReadSetting(file, config::kEnableTaskbarIcon));
  EXPECT_EQ(ReadSetting(file, config::kMinimizedWidth), 120);
  EXPECT_TRUE(ReadSetting(file, config::kPlaySound));
  EXPECT_EQ(ReadSetting(file, config::kRepeatInterval), 10);
  EXPECT_EQ(ReadSetting(file, config::kSnoozeInterval), 5);
  EXPECT_EQ(ReadSetting(file, config::kReminderPositionInDialog), 3);
  EXPECT_EQ(ReadSetting(file, config::kReminderPositionInWindow), 4);
  EXPECT_TRUE(ReadSetting(file, config::kTerminatedOK));
  EXPECT_EQ(ReadSetting(file, config::kLastPacked), 0);
  EXPECT_EQ(file.ReadString(config::kScreensSection, config::kMaintainNotesEntry, ""), "");
  EXPECT_EQ(file.ReadString(config::kScreensSection, config::kTemplateEntry, ""), "");
}

TEST(SettingsTest, KeysAreStoredUnderTheirSectionsAndNames) {
  test::TempDir dir;
  IniFile file(Q(dir.file("Config.cfg")));
  ASSERT_TRUE(WriteSetting(file, config::kEnableTaskbarIcon, false));
  ASSERT_TRUE(WriteSetting(file, config::kSnoozeInterval, 15));
  ASSERT_TRUE(WriteSetting(file, config::kLastPacked, 26));
  EXPECT_FALSE(file.ReadBool("Configuration", "EnableTaskbarIcon", true));
  EXPECT_EQ(file.ReadInteger("Reminder", "SnoozeInterval", 0), 15);
  EXPECT_EQ(file.ReadInteger("Status", "LastPacked", 0), 26);
}

TEST(SettingsTest, LoadSettingsUsesDefaultsForMissingKeys) {
  test::TempDir dir;
  const ControllerSettings settings = LoadSettings(IniFile(Q(dir.file("Config.cfg"))));
  EXPECT_FALSE(settings.backupFiles);
  EXPECT_FALSE(settings.emptyTrash);
  EXPECT_TRUE(settings.enableSounds);
  EXPECT_TRUE(settings.enableURL);
  EXPECT_TRUE(settings.enableTaskbarIcon);
  EXPECT_EQ(settings.minimizedWidth, 120);
}

TEST(SettingsTest, LoadSettingsReadsTheControllerKeys) {
  test::TempDir dir;
  std::ofstream(dir.file("config.cfg"), std::ios::binary)
      << "[configuration]\r\nBackupFiles=1\r\nEmptyTrash=5\r\nEnableSounds=0\r\nEnableURL=0\r\n"
         "EnableTaskbarIcon=0\r\nMinimizedWidth=200\r\n";
  const ControllerSettings settings = LoadSettings(IniFile(Q(dir.file("Config.cfg"))));
  EXPECT_TRUE(settings.backupFiles);
  EXPECT_TRUE(settings.emptyTrash);
  EXPECT_FALSE(settings.enableSounds);
  EXPECT_FALSE(settings.enableURL);
  EXPECT_FALSE(settings.enableTaskbarIcon);
  EXPECT_EQ(settings.minimizedWidth, 200);
}

TEST(SettingsTest, ReminderSettingsDefaultToTheDataFolderSoundAndTheCallersPosition) {
  test::TempDir dir;
  const IniFile file(Q(dir.file("Config.cfg")));
  const QString folder = QStringLiteral("/home/u/.local/share/Paperwisp");
  const ReminderSettings dialog =
      LoadReminderSettings(file, folder, config::kReminderPositionInDialog);
  EXPECT_TRUE(dialog.playSound);
  EXPECT_EQ(dialog.soundFile, folder + QStringLiteral("/Reminder.wav"));
  EXPECT_EQ(dialog.repeatInterval, 10);
  EXPECT_EQ(dialog.snoozeInterval, 5);
  EXPECT_EQ(dialog.reminderPosition, 3);
  EXPECT_EQ(LoadReminderSettings(file, folder, config::kReminderPositionInWindow).reminderPosition,
            4);
}

TEST(SettingsTest, ReminderSettingsReadTheStoredKeys) {
  test::TempDir dir;
  IniFile file(Q(dir.file("Config.cfg")));
  ASSERT_TRUE(WriteSetting(file, config::kPlaySound, false));
  ASSERT_TRUE(file.WriteString(config::kReminderSection, config::kSoundFileKey,
                               "/usr/share/sounds/bell \xC3\xA9.wav"));
  ASSERT_TRUE(WriteSetting(file, config::kRepeatInterval, 0));
  ASSERT_TRUE(WriteSetting(file, config::kReminderPositionInDialog, 1));
  const ReminderSettings stored =
      LoadReminderSettings(file, QStringLiteral("/d"), config::kReminderPositionInWindow);
  EXPECT_FALSE(stored.playSound);
  EXPECT_EQ(stored.soundFile, QString::fromUtf8("/usr/share/sounds/bell \xC3\xA9.wav"));
  EXPECT_EQ(stored.repeatInterval, 0);
  EXPECT_EQ(stored.reminderPosition, 1);
}

}  // namespace
}  // namespace pw
