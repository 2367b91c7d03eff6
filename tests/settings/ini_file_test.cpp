#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace pw {
namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

QString Q(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

TEST(IniFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
  test::TempDir dir;
  IniFile file(Q(dir.file("Config.cfg")));
  EXPECT_EQ(file.ReadString("Reminder", "SoundFile", "dflt"), "dflt");
  EXPECT_EQ(file.ReadInteger("Status", "LastPacked", 7), 7);
  EXPECT_TRUE(file.ReadBool("Status", "TerminatedOK", true));
  ASSERT_TRUE(file.WriteBool("Status", "TerminatedOK", false));
  EXPECT_EQ(FileBytes(dir.file("Config.cfg")), "[Status]\r\nTerminatedOK=0\r\n");
}

TEST(IniFileTest, WritesKeysOneByOneLeavingTheRestOfTheFile) {
  test::TempDir dir;
  WriteBytes(dir.file("Config.cfg"),
             "[Configuration]\r\n; mine\r\nBackupFiles=1\r\nEnableSounds=1\r\n\r\n[Status]\r\n"
             "LastPacked=25\r\n");
  IniFile file(Q(dir.file("Config.cfg")));
  ASSERT_TRUE(file.WriteInteger("status", "lastpacked", 26));
  ASSERT_TRUE(file.WriteBool("Configuration", "EnableURL", false));
  EXPECT_EQ(FileBytes(dir.file("Config.cfg")),
            "[Configuration]\r\n; mine\r\nBackupFiles=1\r\nEnableSounds=1\r\nEnableURL=0\r\n\r\n"
            "[Status]\r\nLastPacked=26\r\n");
}

TEST(IniFileTest, EveryReadSeesTheFileAsItIsNow) {
  test::TempDir dir;
  IniFile reader(Q(dir.file("Config.cfg")));
  IniFile writer(Q(dir.file("Config.cfg")));
  ASSERT_TRUE(writer.WriteInteger("Status", "LastPacked", 4));
  EXPECT_EQ(reader.ReadInteger("Status", "LastPacked", 0), 4);
  ASSERT_TRUE(writer.WriteInteger("Status", "LastPacked", 5));
  EXPECT_EQ(reader.ReadInteger("Status", "LastPacked", 0), 5);
}

TEST(IniFileTest, FindsTheFileWhateverTheCaseOfItsName) {
  test::TempDir dir;
  WriteBytes(dir.file("config.CFG"), "[Screens]\r\nFrmTemplate=0,1\r\n");
  IniFile file(Q(dir.file("Config.cfg")));
  EXPECT_EQ(file.ReadString("Screens", "FrmTemplate", ""), "0,1");
  ASSERT_TRUE(file.WriteString("Screens", "FrmMaintainNotes", "0,3"));
  EXPECT_FALSE(std::filesystem::exists(dir.file("Config.cfg")));
  EXPECT_EQ(FileBytes(dir.file("config.CFG")),
            "[Screens]\r\nFrmTemplate=0,1\r\nFrmMaintainNotes=0,3\r\n");
}

TEST(IniFileTest, NumbersThatCannotBeReadTakeTheDefault) {
  test::TempDir dir;
  WriteBytes(dir.file("c.ini"), "[N]\r\nA= 42 \r\nB=-7\r\nC=15x\r\nD=\r\nE=99999999999\r\nF=2\r\n");
  IniFile file(Q(dir.file("c.ini")));
  EXPECT_EQ(file.ReadInteger("N", "A", 1), 42);
  EXPECT_EQ(file.ReadInteger("N", "B", 1), -7);
  EXPECT_EQ(file.ReadInteger("N", "C", 1), 1);
  EXPECT_EQ(file.ReadInteger("N", "D", 1), 1);
  EXPECT_EQ(file.ReadInteger("N", "E", 1), 1);
  // Any number but 0 is true.
  EXPECT_TRUE(file.ReadBool("N", "F", false));
  EXPECT_TRUE(file.ReadBool("N", "B", false));
  EXPECT_FALSE(file.ReadBool("N", "G", false));
}

TEST(IniFileTest, AnsiBytesSurviveAWriteAndARead) {
  test::TempDir dir;
  IniFile file(Q(dir.file("Config.cfg")));
  const std::string value = "C:\\Notes\\\xC0 bient\xF4t\\\x93q\x94.wav";
  ASSERT_TRUE(file.WriteString("Reminder", "SoundFile", value));
  EXPECT_EQ(file.ReadString("Reminder", "SoundFile", ""), value);
  EXPECT_EQ(FileBytes(dir.file("Config.cfg")), "[Reminder]\r\nSoundFile=" + value + "\r\n");
}

TEST(IniFileTest, RefusedValueReportsAndLeavesTheFile) {
  test::TempDir dir;
  WriteBytes(dir.file("Config.cfg"), "[S]\r\nK=1\r\n");
  IniFile file(Q(dir.file("Config.cfg")));
  EXPECT_FALSE(file.WriteString("S", "K", "a\nb"));
  EXPECT_FALSE(file.ErrorString().isEmpty());
  EXPECT_EQ(FileBytes(dir.file("Config.cfg")), "[S]\r\nK=1\r\n");
}

TEST(IniFileTest, FailedWriteIsReportedNotIgnored) {
  test::TempDir dir;
  // A file where the folder should be: nobody can write there, root neither.
  WriteBytes(dir.file("folder"), "");
  IniFile file(Q(dir.file("folder") + "/Config.cfg"));
  EXPECT_FALSE(file.WriteBool("Status", "TerminatedOK", true));
  EXPECT_FALSE(file.ErrorString().isEmpty());
}

TEST(IniFileTest, UnreadableFileIsNotReplacedByOneKey) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads anything";
  test::TempDir dir;
  WriteBytes(dir.file("Config.cfg"), "[S]\r\nK=1\r\nL=2\r\n");
  ASSERT_EQ(chmod(dir.file("Config.cfg").c_str(), 0200), 0);
  IniFile file(Q(dir.file("Config.cfg")));
  EXPECT_EQ(file.ReadInteger("S", "K", 9), 9);
  EXPECT_FALSE(file.WriteInteger("S", "K", 5));
  ASSERT_EQ(chmod(dir.file("Config.cfg").c_str(), 0600), 0);
  EXPECT_EQ(FileBytes(dir.file("Config.cfg")), "[S]\r\nK=1\r\nL=2\r\n");
}

}  // namespace
}  // namespace pw
