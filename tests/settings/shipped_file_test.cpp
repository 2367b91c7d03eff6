#include "settings/shipped_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace pw {
namespace {

QString Q(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

TEST(ShippedFileTest, BesideTheExecutableComesFirstThenTheInstalledShareFolder) {
  test::TempDir prefix;
  std::filesystem::create_directories(prefix.file("bin"));
  std::filesystem::create_directories(prefix.file("share/paperwisp"));
  std::ofstream(prefix.file("share/paperwisp/Reminder.wav")) << "installed";
  const QString bin = Q(prefix.file("bin"));
  EXPECT_EQ(ShippedFilePath(bin, QStringLiteral("Reminder.wav")),
            Q(prefix.file("share/paperwisp/Reminder.wav")));

  std::ofstream(prefix.file("bin/Reminder.wav")) << "build";
  EXPECT_EQ(ShippedFilePath(bin, QStringLiteral("Reminder.wav")),
            Q(prefix.file("bin/Reminder.wav")));
}

TEST(ShippedFileTest, AMissingFileOrAFolderOfItsNameIsNotFound) {
  test::TempDir prefix;
  std::filesystem::create_directories(prefix.file("bin/Expand.wav"));
  EXPECT_TRUE(ShippedFilePath(Q(prefix.file("bin")), QStringLiteral("Expand.wav")).isEmpty());
  EXPECT_TRUE(ShippedFilePath(Q(prefix.file("bin")), QStringLiteral("Collapse.wav")).isEmpty());
}

}  // namespace
}  // namespace pw
