#include "settings/shipped_sounds.h"

#include <gtest/gtest.h>

#include <QFile>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace pw {
namespace {

QString Q(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string Content(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(ShippedSoundsTest, MissingSoundsAreCopiedAndTheUsersOwnAreKept) {
  test::TempDir prefix;
  std::filesystem::create_directories(prefix.file("bin"));
  std::filesystem::create_directories(prefix.file("share/paperwisp"));
  std::filesystem::create_directories(prefix.file("data"));
  for (const char* name : {"Reminder.wav", "Collapse.wav"}) {
    std::ofstream(prefix.file("share/paperwisp/") + name) << "shipped";
  }
  // The user's own collapse sound, in another case of its name.
  std::ofstream(prefix.file("data/collapse.WAV")) << "mine";

  EXPECT_TRUE(CopyMissingSounds(Q(prefix.file("data")), Q(prefix.file("bin"))).isEmpty());
  EXPECT_EQ(Content(prefix.file("data/Reminder.wav")), "shipped");
  EXPECT_EQ(Content(prefix.file("data/collapse.WAV")), "mine");
  EXPECT_FALSE(std::filesystem::exists(prefix.file("data/Collapse.wav")));
  // Not shipped: nothing to copy, and no failure.
  EXPECT_FALSE(std::filesystem::exists(prefix.file("data/Expand.wav")));
}

TEST(ShippedSoundsTest, ACopyThatFailsIsReported) {
  test::TempDir prefix;
  std::filesystem::create_directories(prefix.file("bin"));
  std::ofstream(prefix.file("bin/Expand.wav")) << "shipped";
  // A file where the data folder should be.
  std::ofstream(prefix.file("data")) << "not a folder";
  const QStringList failures = CopyMissingSounds(Q(prefix.file("data")), Q(prefix.file("bin")));
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures[0].startsWith("Expand.wav: "));
}

}  // namespace
}  // namespace pw
