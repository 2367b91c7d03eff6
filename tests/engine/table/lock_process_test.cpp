// Locks between real processes: a forked child opens the same shared table
// and the two sides take turns, synchronised by one byte at a time over pipes.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/lock.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "lock_test_support.h"
#include "support/forked_child.h"

namespace pw::testing {
namespace {

// In the child: opens the table shared in work area 1.
bool OpenInChild(const std::string& path) {
  Select(1);
  Use(path);
  return EngineErrorCode() == 0;
}

using LockProcessTest = LockTableTest;

TEST_F(LockProcessTest, RecordLockedByAnotherProcessIsRefusedItsNeighbourIsNot) {
  const std::string path = tablePath_;
  test::ForkedChild child([&path](test::ChildLink& self) {
    if (!OpenInChild(path)) return 10;
    CurrentArea().recordNumber = 3;
    if (!RLock()) return 11;
    self.Report('L');
    self.WaitForParent();
    CloseAll();
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 'L');

  Open(tablePath_);
  MoveTo(3);
  EXPECT_FALSE(RLock());
  EXPECT_FALSE(IsLocked(3));
  MoveTo(4);
  EXPECT_TRUE(RLock());
  Unlock();

  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(LockProcessTest, AppendLockOfAnotherProcessBlocksUntilItUnlocks) {
  const std::string path = tablePath_;
  test::ForkedChild child([&path](test::ChildLink& self) {
    if (!OpenInChild(path)) return 10;
    if (!ALock()) return 11;
    self.Report('A');
    self.WaitForParent();
    Unlock();
    self.Report('R');
    self.WaitForParent();
    CloseAll();
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 'A');

  Open(tablePath_);
  EXPECT_FALSE(ALock());
  child.Continue();
  ASSERT_EQ(child.NextReport(), 'R');
  EXPECT_TRUE(ALock());
  Unlock();

  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(LockProcessTest, LocksEndWithTheProcessThatHeldThem) {
  const std::string path = tablePath_;
  test::ForkedChild child([&path](test::ChildLink& self) {
    if (!OpenInChild(path)) return 10;
    CurrentArea().recordNumber = 2;
    if (!RLock()) return 11;
    self.Report('L');
    self.WaitForParent();  // ends without unlocking once the parent lets go
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 'L');
  Open(tablePath_);
  MoveTo(2);
  EXPECT_FALSE(RLock());
  EXPECT_EQ(child.Finish(), 0);
  EXPECT_TRUE(RLock());
}

}  // namespace
}  // namespace pw::testing
