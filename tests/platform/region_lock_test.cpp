#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/file.h"
#include "platform/os_error.h"
#include "support/forked_child.h"
#include "support/temp_dir.h"

namespace pw::platform {
namespace {

// Lock regions of the engine lie from 1 GiB on, far beyond the data.
constexpr std::uint64_t kLockBase = 0x40000000;

class RegionLock : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(path_, std::ios::binary) << "0123456789";
    ASSERT_EQ(first_.Open(path_, Access::ReadWrite, Sharing::Shared), 0);
    ASSERT_EQ(second_.Open(path_, Access::ReadWrite, Sharing::Shared), 0);
  }

  test::TempDir dir_;
  std::string path_ = dir_.file("table.dbf");
  File first_;
  File second_;
};

TEST_F(RegionLock, OverlappingLockOfAnotherOpenInTheSameProcessIsRefused) {
  ASSERT_EQ(first_.LockRegion(kLockBase + 10, 5), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase + 10, 5), kLockViolation);
  EXPECT_EQ(second_.LockRegion(kLockBase + 14, 1), kLockViolation);
  EXPECT_EQ(second_.LockRegion(kLockBase, 11), kLockViolation);
}

TEST_F(RegionLock, AdjacentRangesDoNotConflict) {
  ASSERT_EQ(first_.LockRegion(kLockBase + 10, 5), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase + 15, 1), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase + 9, 1), 0);
}

TEST_F(RegionLock, LockBeyondTheEndDoesNotGrowTheFile) {
  ASSERT_EQ(first_.LockRegion(kLockBase + 1217, 481), 0);
  std::uint64_t size = 0;
  ASSERT_EQ(first_.Size(&size), 0);
  EXPECT_EQ(size, 10u);
}

TEST_F(RegionLock, UnlockReleasesTheRangeForOthers) {
  ASSERT_EQ(first_.LockRegion(kLockBase, 1), 0);
  ASSERT_EQ(second_.LockRegion(kLockBase, 1), kLockViolation);
  ASSERT_EQ(first_.UnlockRegion(kLockBase, 1), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase, 1), 0);
  EXPECT_EQ(first_.LockRegion(kLockBase, 1), kLockViolation);
}

TEST_F(RegionLock, UnlockReleasesOnlyTheGivenRange) {
  ASSERT_EQ(first_.LockRegion(kLockBase + 1, 1), 0);
  ASSERT_EQ(first_.LockRegion(kLockBase + 100, 10), 0);
  ASSERT_EQ(first_.UnlockRegion(kLockBase + 1, 1), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase + 1, 1), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase + 105, 1), kLockViolation);
}

TEST_F(RegionLock, ClosingTheOpenReleasesItsLocks) {
  ASSERT_EQ(first_.LockRegion(kLockBase, 4), 0);
  ASSERT_EQ(first_.Close(), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase, 4), 0);
}

TEST_F(RegionLock, LockedDataStaysReadableAndWritableThroughAnotherOpen) {
  ASSERT_EQ(first_.LockRegion(0, 10), 0);
  char buffer[4];
  ASSERT_EQ(second_.ReadExactAt(2, buffer, 4), 0);
  EXPECT_EQ(std::string(buffer, 4), "2345");
  ASSERT_EQ(second_.WriteAt(2, "abcd", 4), 0);
  ASSERT_EQ(first_.ReadExactAt(2, buffer, 4), 0);
  EXPECT_EQ(std::string(buffer, 4), "abcd");
}

TEST_F(RegionLock, LockedByOtherSeesOnlyLocksOfOtherOpens) {
  ASSERT_EQ(first_.LockRegion(kLockBase + 1, 4), 0);
  EXPECT_TRUE(second_.RegionLockedByOther(kLockBase + 1, 4));
  EXPECT_TRUE(second_.RegionLockedByOther(kLockBase, 2));
  EXPECT_FALSE(second_.RegionLockedByOther(kLockBase + 5, 4));
  EXPECT_FALSE(first_.RegionLockedByOther(kLockBase + 1, 4));
  ASSERT_EQ(first_.UnlockRegion(kLockBase + 1, 4), 0);
  EXPECT_FALSE(second_.RegionLockedByOther(kLockBase + 1, 4));
}

TEST_F(RegionLock, ZeroLengthLocksNothing) {
  ASSERT_EQ(first_.LockRegion(kLockBase, 0), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase, 1), 0);
  EXPECT_EQ(second_.LockRegion(kLockBase + 100, 1000), 0);
}

TEST_F(RegionLock, RangesReachingTheSharingByteAreRefused) {
  File exclusive;
  constexpr std::uint64_t kSharingByte = std::uint64_t{1} << 62;
  EXPECT_EQ(first_.LockRegion(kSharingByte - 1, 2), kLockViolation);
  EXPECT_EQ(first_.UnlockRegion(0, kSharingByte + 1), kLockViolation);
  EXPECT_EQ(first_.UnlockRegion(~std::uint64_t{0}, 2), kLockViolation);
  // The sharing locks are intact: an exclusive open is still refused.
  EXPECT_EQ(exclusive.Open(path_, Access::ReadWrite, Sharing::Exclusive), kSharingViolation);
}

class RegionLockAcrossProcesses : public RegionLock {};

TEST_F(RegionLockAcrossProcesses, LockHeldByAChildRefusesThisProcessUntilReleased) {
  second_.Close();
  test::ForkedChild child([&](test::ChildLink& link) {
    File file;
    link.Report(file.Open(path_, Access::ReadWrite, Sharing::Shared));
    link.Report(file.LockRegion(kLockBase + 1, 1));
    link.WaitForParent();
    link.Report(file.UnlockRegion(kLockBase + 1, 1));
    link.WaitForParent();
  });
  ASSERT_EQ(child.NextReport(), 0);
  ASSERT_EQ(child.NextReport(), 0);
  EXPECT_EQ(first_.LockRegion(kLockBase + 1, 1), kLockViolation);
  EXPECT_TRUE(first_.RegionLockedByOther(kLockBase + 1, 1));
  EXPECT_EQ(first_.LockRegion(kLockBase + 2, 1), 0);

  child.Continue();
  ASSERT_EQ(child.NextReport(), 0);
  EXPECT_FALSE(first_.RegionLockedByOther(kLockBase + 1, 1));
  EXPECT_EQ(first_.LockRegion(kLockBase + 1, 1), 0);
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(RegionLockAcrossProcesses, LockHeldHereRefusesAChild) {
  ASSERT_EQ(first_.LockRegion(kLockBase, 1), 0);
  test::ForkedChild child([&](test::ChildLink& link) {
    File file;
    if (file.Open(path_, Access::ReadWrite, Sharing::Shared) != 0) {
      link.Report(-1);
      return;
    }
    link.Report(file.LockRegion(kLockBase, 1));
    link.Report(file.RegionLockedByOther(kLockBase, 1) ? 1 : 0);
    link.Report(file.LockRegion(kLockBase + 1, 1));
  });
  EXPECT_EQ(child.NextReport(), kLockViolation);
  EXPECT_EQ(child.NextReport(), 1);
  EXPECT_EQ(child.NextReport(), 0);
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(RegionLockAcrossProcesses, LocksOfAnEndedProcessAreReleased) {
  test::ForkedChild child([&](test::ChildLink& link) {
    File file;
    link.Report(file.Open(path_, Access::ReadWrite, Sharing::Shared));
    link.Report(file.LockRegion(kLockBase, 8));
    link.WaitForParent();
  });
  ASSERT_EQ(child.NextReport(), 0);
  ASSERT_EQ(child.NextReport(), 0);
  ASSERT_EQ(first_.LockRegion(kLockBase, 8), kLockViolation);
  ASSERT_EQ(child.Finish(), 0);
  EXPECT_EQ(first_.LockRegion(kLockBase, 8), 0);
}

TEST_F(RegionLockAcrossProcesses, ChildWritesDataUnderAnotherProcesssLock) {
  ASSERT_EQ(first_.LockRegion(0, 10), 0);
  test::ForkedChild child([&](test::ChildLink& link) {
    File file;
    if (file.Open(path_, Access::ReadWrite, Sharing::Shared) != 0) {
      link.Report(-1);
      return;
    }
    link.Report(file.WriteAt(0, "zz", 2));
  });
  EXPECT_EQ(child.NextReport(), 0);
  EXPECT_EQ(child.Finish(), 0);
  char buffer[2];
  ASSERT_EQ(first_.ReadExactAt(0, buffer, 2), 0);
  EXPECT_EQ(std::string(buffer, 2), "zz");
}

}  // namespace
}  // namespace pw::platform
