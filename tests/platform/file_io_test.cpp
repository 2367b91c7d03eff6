#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/os_error.h"
#include "support/temp_dir.h"

namespace pw::platform {
namespace {

std::string ReadBack(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class FileIo : public ::testing::Test {
 protected:
  test::TempDir dir_;
  std::string path_ = dir_.file("data.bin");
};

TEST_F(FileIo, CreatedFileIsEmptyAndKeepsWrittenBytes) {
  File file;
  ASSERT_EQ(file.Create(path_, Sharing::Exclusive), 0);
  std::uint64_t size = 99;
  ASSERT_EQ(file.Size(&size), 0);
  EXPECT_EQ(size, 0u);

  ASSERT_EQ(file.WriteAt(0, "hello", 5), 0);
  ASSERT_EQ(file.WriteAt(5, " world", 6), 0);
  ASSERT_EQ(file.Flush(), 0);
  ASSERT_EQ(file.Size(&size), 0);
  EXPECT_EQ(size, 11u);

  char buffer[11];
  ASSERT_EQ(file.ReadExactAt(0, buffer, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer, sizeof buffer), "hello world");
  ASSERT_EQ(file.Close(), 0);
  EXPECT_EQ(ReadBack(path_), "hello world");
}

TEST_F(FileIo, CreateTruncatesAnExistingFile) {
  WriteFileText(path_, "old content");
  File file;
  ASSERT_EQ(file.Create(path_, Sharing::Shared), 0);
  std::uint64_t size = 99;
  ASSERT_EQ(file.Size(&size), 0);
  EXPECT_EQ(size, 0u);
}

TEST_F(FileIo, WritesBeyondTheEndExtendTheFileWithZeros) {
  File file;
  ASSERT_EQ(file.Create(path_, Sharing::Shared), 0);
  ASSERT_EQ(file.WriteAt(4, "x", 1), 0);
  EXPECT_EQ(ReadBack(path_), std::string("\0\0\0\0x", 5));
}

TEST_F(FileIo, LargeWritesArriveWhole) {
  std::vector<unsigned char> data(3 * 1024 * 1024);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 7);
  File file;
  ASSERT_EQ(file.Create(path_, Sharing::Exclusive), 0);
  ASSERT_EQ(file.WriteAt(0, data.data(), data.size()), 0);
  std::vector<unsigned char> back(data.size());
  ASSERT_EQ(file.ReadExactAt(0, back.data(), back.size()), 0);
  EXPECT_EQ(back, data);
}

TEST_F(FileIo, OpenReadsAnExistingFile) {
  WriteFileText(path_, "abcdef");
  File file;
  ASSERT_EQ(file.Open(path_, Access::Read, Sharing::Shared), 0);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Path(), path_);
  EXPECT_EQ(file.AccessMode(), Access::Read);
  EXPECT_EQ(file.SharingMode(), Sharing::Shared);
  char buffer[3];
  ASSERT_EQ(file.ReadExactAt(2, buffer, 3), 0);
  EXPECT_EQ(std::string(buffer, 3), "cde");
}

TEST_F(FileIo, ReadAtStopsAtTheEndOfTheFile) {
  WriteFileText(path_, "abc");
  File file;
  ASSERT_EQ(file.Open(path_, Access::Read, Sharing::Shared), 0);
  char buffer[10] = {};
  std::size_t got = 99;
  ASSERT_EQ(file.ReadAt(1, buffer, sizeof buffer, &got), 0);
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(std::string(buffer, got), "bc");
  ASSERT_EQ(file.ReadAt(50, buffer, sizeof buffer, &got), 0);
  EXPECT_EQ(got, 0u);
}

TEST_F(FileIo, ShortExactReadFailsWithUnexpectedEof) {
  WriteFileText(path_, "abc");
  File file;
  ASSERT_EQ(file.Open(path_, Access::Read, Sharing::Shared), 0);
  char buffer[4];
  EXPECT_EQ(file.ReadExactAt(0, buffer, 4), kUnexpectedEof);
  EXPECT_EQ(file.ReadExactAt(3, buffer, 1), kUnexpectedEof);
}

TEST_F(FileIo, TruncateShrinksAndExtends) {
  WriteFileText(path_, "abcdef");
  File file;
  ASSERT_EQ(file.Open(path_, Access::ReadWrite, Sharing::Shared), 0);
  ASSERT_EQ(file.Truncate(2), 0);
  EXPECT_EQ(ReadBack(path_), "ab");
  ASSERT_EQ(file.Truncate(4), 0);
  EXPECT_EQ(ReadBack(path_), std::string("ab\0\0", 4));
}

TEST_F(FileIo, ReadOnlyOpenRefusesWritesAndTruncation) {
  WriteFileText(path_, "keep");
  for (Sharing sharing : {Sharing::Shared, Sharing::Exclusive}) {
    File file;
    ASSERT_EQ(file.Open(path_, Access::Read, sharing), 0);
    EXPECT_EQ(file.WriteAt(0, "x", 1), kAccessDenied);
    EXPECT_EQ(file.Truncate(0), kAccessDenied);
  }
  EXPECT_EQ(ReadBack(path_), "keep");
}

TEST_F(FileIo, MissingFileIsNotFound) {
  File file;
  EXPECT_EQ(file.Open(dir_.file("absent.dbf"), Access::Read, Sharing::Shared), kFileNotFound);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(FileIo, PathThroughAFileIsPathNotFound) {
  WriteFileText(path_, "x");
  File file;
  EXPECT_EQ(file.Open(path_ + "/inner", Access::Read, Sharing::Shared), kPathNotFound);
}

TEST_F(FileIo, CreateInAMissingFolderIsPathNotFound) {
  File file;
  EXPECT_EQ(file.Create(dir_.file("no/such.dbf"), Sharing::Shared), kPathNotFound);
}

TEST_F(FileIo, FolderCannotBeOpenedAsAFile) {
  File file;
  EXPECT_EQ(file.Open(dir_.path(), Access::Read, Sharing::Shared), kAccessDenied);
  EXPECT_EQ(file.Open(dir_.path(), Access::ReadWrite, Sharing::Shared), kAccessDenied);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(FileIo, ClosedFileReportsFileNotOpen) {
  File file;
  char buffer[1];
  std::size_t got = 0;
  std::uint64_t size = 0;
  EXPECT_EQ(file.ReadAt(0, buffer, 1, &got), kFileNotOpen);
  EXPECT_EQ(file.WriteAt(0, buffer, 1), kFileNotOpen);
  EXPECT_EQ(file.Size(&size), kFileNotOpen);
  EXPECT_EQ(file.Truncate(0), kFileNotOpen);
  EXPECT_EQ(file.Flush(), kFileNotOpen);
  EXPECT_EQ(file.LockRegion(0x40000000, 1), kFileNotOpen);
  EXPECT_EQ(file.Close(), 0);
}

TEST_F(FileIo, FullDiskFailsTheWriteWithDiskWriteError) {
  File file;
  if (file.Open("/dev/full", Access::ReadWrite, Sharing::Shared) != 0) {
    GTEST_SKIP() << "/dev/full is not available";
  }
  EXPECT_EQ(file.WriteAt(0, "x", 1), kDiskWriteError);
}

TEST_F(FileIo, MovedFileKeepsTheOpenAndTheSourceIsClosed) {
  WriteFileText(path_, "abc");
  File first;
  ASSERT_EQ(first.Open(path_, Access::Read, Sharing::Shared), 0);
  File second(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  ASSERT_TRUE(second.IsOpen());
  File third;
  third = std::move(second);
  EXPECT_FALSE(second.IsOpen());
  char buffer[3];
  ASSERT_EQ(third.ReadExactAt(0, buffer, 3), 0);
  EXPECT_EQ(std::string(buffer, 3), "abc");
}

}  // namespace
}  // namespace pw::platform
