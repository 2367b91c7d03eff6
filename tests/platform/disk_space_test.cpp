#include "platform/disk_space.h"

#include <gtest/gtest.h>

#include "platform/os_error.h"
#include "support/temp_dir.h"

namespace pw::platform {
namespace {

TEST(FreeDiskBytes, ReportsFreeSpaceOfAFolder) {
  test::TempDir dir;
  std::uint64_t bytes = 0;
  ASSERT_EQ(FreeDiskBytes(dir.path(), &bytes), 0);
  EXPECT_GT(bytes, 0u);
}

TEST(FreeDiskBytes, EmptyPathMeansTheCurrentFolder) {
  std::uint64_t bytes = 0;
  ASSERT_EQ(FreeDiskBytes("", &bytes), 0);
  EXPECT_GT(bytes, 0u);
}

TEST(FreeDiskBytes, MissingFolderIsNotFound) {
  test::TempDir dir;
  std::uint64_t bytes = 7;
  EXPECT_EQ(FreeDiskBytes(dir.file("none"), &bytes), kFileNotFound);
  EXPECT_EQ(bytes, 0u);
}

}  // namespace
}  // namespace pw::platform
