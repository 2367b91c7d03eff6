#include "platform/temp_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <optional>
#include <string>

#include "platform/os_error.h"
#include "support/temp_dir.h"

namespace pw::platform {
namespace {

// Sets $TMPDIR for one test and puts the old value back afterwards.
class TempFile : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* value = getenv("TMPDIR")) saved_ = value;
  }
  void TearDown() override {
    if (saved_) {
      setenv("TMPDIR", saved_->c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

  std::optional<std::string> saved_;
  test::TempDir dir_;
};

TEST_F(TempFile, TempFolderFollowsTmpdirWithoutTrailingSlash) {
  setenv("TMPDIR", (dir_.path() + "//").c_str(), 1);
  EXPECT_EQ(TempFolder(), dir_.path());
}

TEST_F(TempFile, TempFolderFallsBackToTmp) {
  setenv("TMPDIR", "", 1);
  EXPECT_EQ(TempFolder(), "/tmp");
  unsetenv("TMPDIR");
  EXPECT_EQ(TempFolder(), "/tmp");
}

TEST_F(TempFile, CreatesNewEmptyFilesWithThePrefixInTmpdir) {
  setenv("TMPDIR", dir_.path().c_str(), 1);
  std::string first;
  std::string second;
  ASSERT_EQ(CreateTempFile("TZP", &first), 0);
  ASSERT_EQ(CreateTempFile("TZP", &second), 0);
  EXPECT_NE(first, second);
  for (const std::string& path : {first, second}) {
    EXPECT_EQ(path.rfind(dir_.path() + "/TZP", 0), 0u) << path;
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_size, 0);
  }
}

TEST_F(TempFile, MissingTempFolderIsPathNotFound) {
  setenv("TMPDIR", dir_.file("gone").c_str(), 1);
  std::string path = "stale";
  EXPECT_EQ(CreateTempFile("TZP", &path), kPathNotFound);
  EXPECT_TRUE(path.empty());
}

}  // namespace
}  // namespace pw::platform
