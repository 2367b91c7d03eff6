#include "platform/file_times.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/os_error.h"
#include "support/temp_dir.h"

namespace pw::platform {
namespace {

TEST(FileModificationTime, ReadsTheTimeSetOnTheFile) {
  test::TempDir dir;
  const std::string path = dir.file("a.dbf");
  std::ofstream(path) << "x";
  const struct timespec times[2] = {{1000000000, 0}, {1234567890, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  std::time_t t = 0;
  ASSERT_EQ(FileModificationTime(path, &t), 0);
  EXPECT_EQ(t, 1234567890);
}

TEST(FileModificationTime, MissingFileIsNotFound) {
  test::TempDir dir;
  std::time_t t = 5;
  EXPECT_EQ(FileModificationTime(dir.file("none"), &t), kFileNotFound);
}

class FullPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    // The current folder as the system spells it (the temporary folder may
    // lie behind a symbolic link).
    current_ = std::filesystem::current_path();
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  test::TempDir dir_;
  std::string previous_;
  std::string current_;
};

TEST_F(FullPathTest, RelativeNameIsTakenFromTheCurrentFolder) {
  std::string full;
  ASSERT_EQ(FullPath("notes.dbf", &full), 0);
  EXPECT_EQ(full, current_ + "/notes.dbf");
}

TEST_F(FullPathTest, DotsAndRepeatedSlashesAreResolved) {
  std::string full;
  ASSERT_EQ(FullPath("a/./b/../c//notes.dbf", &full), 0);
  EXPECT_EQ(full, current_ + "/a/c/notes.dbf");
  ASSERT_EQ(FullPath("/x/y/../z/", &full), 0);
  EXPECT_EQ(full, "/x/z");
  ASSERT_EQ(FullPath("/../..", &full), 0);
  EXPECT_EQ(full, "/");
}

TEST_F(FullPathTest, EmptyNameIsTheCurrentFolder) {
  std::string full;
  ASSERT_EQ(FullPath("", &full), 0);
  EXPECT_EQ(full, current_);
}

}  // namespace
}  // namespace pw::platform
