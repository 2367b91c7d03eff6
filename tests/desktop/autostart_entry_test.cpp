#include "desktop/autostart_entry.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/temp_dir.h"

namespace pw {
namespace {

class AutostartEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir_.path()));
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", saved_); }
  QString Entry() const { return QString::fromStdString(dir_.file("autostart/paperwisp.desktop")); }

  test::TempDir dir_;
  QByteArray saved_;
};

TEST_F(AutostartEntryTest, EntryLiesInTheConfigHomesAutostartFolder) {
  EXPECT_EQ(AutostartEntryPath(), Entry());
  qputenv("XDG_CONFIG_HOME", "relative/folder");
  EXPECT_TRUE(AutostartEntryPath().endsWith("/.config/autostart/paperwisp.desktop"));
  EXPECT_FALSE(AutostartEntryPath().startsWith("relative"));
}

TEST_F(AutostartEntryTest, WriteRunsTheProgramByItsFullPathAndRemoveDeletesIt) {
  QString error;
  ASSERT_TRUE(WriteAutostartEntry("/opt/paper wisp/bin/paperwisp", &error)) << error.toStdString();
  QFile file(Entry());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  file.close();
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
  EXPECT_TRUE(text.contains("\nType=Application\n"));
  EXPECT_TRUE(text.contains("\nExec=\"/opt/paper wisp/bin/paperwisp\"\n"));

  ASSERT_TRUE(RemoveAutostartEntry(&error));
  EXPECT_FALSE(QFile::exists(Entry()));
  EXPECT_TRUE(RemoveAutostartEntry(&error)) << "a missing entry is no error";
}

TEST_F(AutostartEntryTest, ReservedCharactersOfThePathAreEscaped) {
  EXPECT_TRUE(AutostartEntryText("/home/a$b/100%/x\"y\\z")
                  .contains("\nExec=\"/home/a\\\\$b/100%%/x\\\\\"y\\\\\\\\z\"\n"));
  QString error;
  EXPECT_FALSE(WriteAutostartEntry("/bin/two\nlines", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(Entry()));
}

TEST_F(AutostartEntryTest, AFolderThatCannotBeMadeIsReported) {
  QFile blocker(QString::fromStdString(dir_.file("autostart")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QString error;
  EXPECT_FALSE(WriteAutostartEntry("/usr/bin/paperwisp", &error));
  EXPECT_TRUE(error.contains("autostart")) << error.toStdString();
}

}  // namespace
}  // namespace pw
