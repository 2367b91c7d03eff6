#include "platform/os_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace pw::platform {
namespace {

TEST(OsErrorFromErrno, MapsFileSystemErrorsToTheirCodes) {
  EXPECT_EQ(OsErrorFromErrno(ENOENT), kFileNotFound);
  EXPECT_EQ(OsErrorFromErrno(ENOTDIR), kPathNotFound);
  EXPECT_EQ(OsErrorFromErrno(EMFILE), kTooManyOpenFiles);
  EXPECT_EQ(OsErrorFromErrno(ENFILE), kTooManyOpenFiles);
  EXPECT_EQ(OsErrorFromErrno(EACCES), kAccessDenied);
  EXPECT_EQ(OsErrorFromErrno(EPERM), kAccessDenied);
  EXPECT_EQ(OsErrorFromErrno(EISDIR), kAccessDenied);
  EXPECT_EQ(OsErrorFromErrno(EBADF), kInvalidHandle);
  EXPECT_EQ(OsErrorFromErrno(ENOMEM), kNotEnoughMemory);
  EXPECT_EQ(OsErrorFromErrno(EROFS), kWriteProtected);
}

TEST(OsErrorFromErrno, ReportsAFullDiskAsAWriteErrorEvenWhileReading) {
  EXPECT_EQ(OsErrorFromErrno(ENOSPC, false), kDiskWriteError);
  EXPECT_EQ(OsErrorFromErrno(EDQUOT, false), kDiskWriteError);
}

TEST(OsErrorFromErrno, PicksReadOrWriteErrorForOtherErrorsByDirection) {
  EXPECT_EQ(OsErrorFromErrno(EIO, false), kDiskReadError);
  EXPECT_EQ(OsErrorFromErrno(EIO, true), kDiskWriteError);
  EXPECT_EQ(OsErrorFromErrno(EFBIG, false), kDiskReadError);
  EXPECT_EQ(OsErrorFromErrno(EFBIG, true), kDiskWriteError);
}

}  // namespace
}  // namespace pw::platform
