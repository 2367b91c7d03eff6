#include "engine/table/lock.h"

#include <gtest/gtest.h>

#include <string>

#include "common/error_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/engine_settings.h"
#include "engine/table/use.h"
#include "engine/table/work_area.h"
#include "engine/table/work_areas.h"
#include "lock_test_support.h"
#include "platform/file.h"
#include "platform/os_error.h"

namespace pw::testing {
namespace {

// Record regions of the one-field test table: header 65 bytes, records 11.
std::uint64_t SmallRecordRegion(std::int32_t recordNumber) {
  return RecordLockOffset(65, 11, recordNumber);
}

using AppendLockTest = LockTableTest;
using RecordLockTest = LockTableTest;
using LockReleaseTest = LockTableTest;
using SharedLockTest = LockTableTest;
using ExclusiveLockTest = LockTableTest;
using LockRegionTest = LockTableTest;
using TableLockByteTest = LockTableTest;

TEST(LockRegionLayoutTest, RegionsLieAtTheLockBaseAndAfterTheHeader) {
  EXPECT_EQ(TableLockByteOffset(), 1073741824u);
  EXPECT_EQ(AppendLockOffset(), 1073741825u);
  EXPECT_EQ(RecordLockOffset(1217, 481, 1), 1073743041u);
  EXPECT_EQ(RecordLockOffset(1217, 481, 5), 1073744965u);
}

TEST_F(AppendLockTest, TwiceSucceedsAndHoldsTheAppendByte) {
  Open(tablePath_);
  EXPECT_TRUE(ALock());
  EXPECT_TRUE(ALock());
  EXPECT_EQ(CurrentArea().lockState, LockState::Appended);
  const auto held = LockHeldOn(tablePath_, AppendLockOffset(), 1);
  ASSERT_TRUE(held.has_value());
  EXPECT_EQ(held->offset, AppendLockOffset());
  EXPECT_EQ(held->length, 1u);
  Unlock();
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
  EXPECT_FALSE(LockHeldOn(tablePath_, AppendLockOffset(), 1).has_value());
}

TEST_F(AppendLockTest, RefusedWhileRecordsAreLockedAndRecordsRefusedWhileAppending) {
  Open(tablePath_);
  MoveTo(2);
  ASSERT_TRUE(RLock());
  EXPECT_FALSE(ALock());
  EXPECT_EQ(CurrentArea().lockState, LockState::Records);
  Unlock();
  ASSERT_TRUE(ALock());
  EXPECT_FALSE(RLock());
  EXPECT_FALSE(IsLocked(2));
  EXPECT_EQ(CurrentArea().lockState, LockState::Appended);
  EXPECT_FALSE(LockHeldOn(tablePath_, SmallRecordRegion(2), 11).has_value());
}

TEST_F(RecordLockTest, SameRecordTwiceKeepsOneEntry) {
  Open(tablePath_);
  MoveTo(3);
  EXPECT_TRUE(RLock());
  EXPECT_TRUE(RLock());
  EXPECT_EQ(CurrentArea().recordLocks, std::vector<std::int32_t>{3});
  EXPECT_TRUE(IsLocked(3));
  EXPECT_FALSE(IsLocked(4));
}

TEST_F(RecordLockTest, LocksTheRecordsRegionOfTheNoteSizedTable) {
  const std::string path = CreateTable("notesize.dbf", NoteSizedFields());
  Open(path);
  ASSERT_EQ(CurrentArea().headerLength, 1217);
  ASSERT_EQ(CurrentArea().recordLength, 481);
  MoveTo(1);
  ASSERT_TRUE(RLock());
  const auto held = LockHeldOn(path, kLockBase, 0x10000);
  ASSERT_TRUE(held.has_value());
  EXPECT_EQ(held->offset, 1073743041u);
  EXPECT_EQ(held->length, 481u);
}

TEST_F(RecordLockTest, MovingAwayKeepsTheLock) {
  Open(tablePath_);
  MoveTo(3);
  ASSERT_TRUE(RLock());
  MoveTo(1);
  EXPECT_TRUE(IsLocked(3));
  EXPECT_TRUE(LockHeldOn(tablePath_, SmallRecordRegion(3), 11).has_value());
}

TEST_F(RecordLockTest, LimitRefusesOneRecordMoreWith212) {
  Settings().recordLockLimit = 2;
  Open(tablePath_);
  MoveTo(1);
  ASSERT_TRUE(RLock());
  MoveTo(2);
  ASSERT_TRUE(RLock());
  MoveTo(3);
  EXPECT_FALSE(RLock());
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(TakeDetailText(), "Vozir record lock limit exceeded [RLock]");
  EXPECT_FALSE(IsLocked(3));
  EXPECT_EQ(CurrentArea().recordLocks.size(), 2u);
}

TEST_F(LockReleaseTest, OldestAndNewestAreReleasedBySelector) {
  Open(tablePath_);
  MoveTo(5);
  ASSERT_TRUE(RLock());
  MoveTo(7);
  ASSERT_TRUE(RLock());
  EXPECT_TRUE(UnlockRec(-1));
  EXPECT_FALSE(IsLocked(5));
  EXPECT_TRUE(IsLocked(7));
  EXPECT_FALSE(LockHeldOn(tablePath_, SmallRecordRegion(5), 11).has_value());
  EXPECT_TRUE(LockHeldOn(tablePath_, SmallRecordRegion(7), 11).has_value());
  EXPECT_TRUE(UnlockRec(-2));
  EXPECT_FALSE(IsLocked(7));
  EXPECT_FALSE(LockHeldOn(tablePath_, SmallRecordRegion(7), 11).has_value());
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
  EXPECT_TRUE(ALock());
}

TEST_F(LockReleaseTest, NewestSelectorTakesTheLastLockedRecord) {
  Open(tablePath_);
  for (const std::int32_t record : {5, 7, 6}) {
    MoveTo(record);
    ASSERT_TRUE(RLock());
  }
  EXPECT_TRUE(UnlockRec(-2));
  EXPECT_FALSE(IsLocked(6));
  EXPECT_TRUE(UnlockRec(-1));
  EXPECT_FALSE(IsLocked(5));
  EXPECT_EQ(CurrentArea().recordLocks, std::vector<std::int32_t>{7});
  EXPECT_EQ(CurrentArea().lockState, LockState::Records);
}

TEST_F(LockReleaseTest, OneRecordByNumberAndAllAtOnce) {
  Open(tablePath_);
  for (const std::int32_t record : {2, 4, 6}) {
    MoveTo(record);
    ASSERT_TRUE(RLock());
  }
  EXPECT_TRUE(UnlockRec(4));
  EXPECT_EQ(CurrentArea().recordLocks, (std::vector<std::int32_t>{2, 6}));
  EXPECT_TRUE(UnlockRec(-3));
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_TRUE(CurrentArea().recordLocks.empty());
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
  EXPECT_FALSE(LockHeldOn(tablePath_, kLockBase, 0x1000).has_value());
}

TEST_F(LockReleaseTest, RecordNotLockedIsStoredWithoutDispatch) {
  Open(tablePath_);
  int dispatched = 0;
  const ErrorHook previousHook = SetErrorHook([&dispatched] { ++dispatched; });
  SetAutoDispatch(true);
  EXPECT_FALSE(UnlockRec(9));
  const std::uint16_t code = EngineErrorCode();
  const std::string detail = TakeDetailText();
  EXPECT_FALSE(UnlockRec(0));
  SetAutoDispatch(false);
  SetErrorHook(previousHook);
  EXPECT_EQ(code, 220);
  EXPECT_EQ(detail, "Record not locked. [UnlockRec(9)]");
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(), "[UnlockRec(0)]");
  EXPECT_EQ(dispatched, 0);
}

TEST_F(LockReleaseTest, InvalidSelectorsAndEmptyListAreRejected) {
  Open(tablePath_);
  EXPECT_FALSE(UnlockRec(-4));
  EXPECT_EQ(TakeDetailText(), "[UnlockRec(-4)]");
  EXPECT_FALSE(UnlockRec(-1));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(), "Record not locked. [UnlockRec(-1)]");
  EXPECT_TRUE(UnlockRec(-3));
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(LockReleaseTest, UnlockWithNothingLockedLeavesNoError) {
  Open(tablePath_);
  StoreError(220, "earlier");
  Unlock();
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
}

TEST_F(LockReleaseTest, RefusedReleaseKeepsTheCodeAndForgetsTheLock) {
  Open(tablePath_);
  MoveTo(3);
  ASSERT_TRUE(RLock());
  MoveTo(4);
  ASSERT_TRUE(RLock());
  ASSERT_EQ(CurrentArea().file.Close(), 0);  // every release now fails
  EXPECT_FALSE(UnlockRec(3));
  EXPECT_NE(EngineErrorCode(), 0);
  EXPECT_FALSE(IsLocked(3));
  Unlock();
  EXPECT_NE(EngineErrorCode(), 0);
  EXPECT_TRUE(CurrentArea().recordLocks.empty());
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
}

TEST_F(LockReleaseTest, EmptyWorkAreaReports215) {
  Select(7);
  EXPECT_FALSE(ALock());
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_EQ(TakeDetailText(), "No database in use [ALock]  WorkArea = 7");
  EXPECT_FALSE(RLock());
  EXPECT_EQ(TakeDetailText(), "No database in use [RLock]  WorkArea = 7");
  EXPECT_FALSE(IsLocked(1));
  EXPECT_EQ(TakeDetailText(), "No database in use [IsLocked]  WorkArea = 7");
  EXPECT_TRUE(UnlockRec(1));
  EXPECT_EQ(TakeDetailText(), "No database in use [UnlockRec]  WorkArea = 7");
  Unlock();
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_EQ(TakeDetailText(), "No database in use [Unlock]  WorkArea = 7");
}

TEST_F(SharedLockTest, TwoWorkAreasRefuseEachOthersLocks) {
  Select(1);
  Open(tablePath_, " ALIAS FIRST");
  Select(2);
  Open(tablePath_, " ALIAS SECOND");

  Select(1);
  MoveTo(3);
  ASSERT_TRUE(RLock());
  Select(2);
  MoveTo(3);
  EXPECT_FALSE(RLock());
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
  MoveTo(4);
  EXPECT_TRUE(RLock());
  Unlock();

  Select(1);
  Unlock();
  ASSERT_TRUE(ALock());
  Select(2);
  EXPECT_FALSE(ALock());
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
  Select(1);
  Unlock();
  Select(2);
  EXPECT_TRUE(ALock());
}

TEST_F(ExclusiveLockTest, LocksLiveInTheListWithoutPlatformLocks) {
  Open(tablePath_, " EXCLUSIVE");
  ASSERT_TRUE(CurrentArea().exclusive);
  EXPECT_TRUE(ALock());
  EXPECT_FALSE(LockHeldOn(tablePath_, AppendLockOffset(), 1).has_value());
  Unlock();
  MoveTo(3);
  EXPECT_TRUE(RLock());
  EXPECT_TRUE(IsLocked(3));
  EXPECT_FALSE(LockHeldOn(tablePath_, kLockBase, 0x1000).has_value());
  EXPECT_TRUE(UnlockRec(3));
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(LockRegionTest, NetworkModeOffSkipsThePlatform) {
  platform::File holder;
  ASSERT_EQ(holder.Open(tablePath_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
  ASSERT_EQ(holder.LockRegion(kLockBase, 16), 0);
  Settings().networkMode = false;
  platform::File other;
  ASSERT_EQ(other.Open(tablePath_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
  EXPECT_EQ(LockRegion(other, kLockBase, 16), 0);
  EXPECT_EQ(UnlockRegion(holder, kLockBase, 16), 0);
  EXPECT_TRUE(other.RegionLockedByOther(kLockBase, 16));  // holder kept its lock
  platform::File closed;
  EXPECT_EQ(LockRegion(closed, kLockBase, 1), 0);
  EXPECT_TRUE(LockWithRetry(closed, kLockBase, 1));
}

TEST_F(LockRegionTest, NetworkModeOffMakesTableLocksListOnly) {
  Settings().networkMode = false;
  Open(tablePath_);
  EXPECT_TRUE(LockTableByte());
  MoveTo(2);
  EXPECT_TRUE(RLock());
  EXPECT_TRUE(IsLocked(2));
  EXPECT_FALSE(LockHeldOn(tablePath_, kLockBase, 0x1000).has_value());
  Unlock();
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(LockRegionTest, ConflictWithAnotherOpenReturnsTheLockViolation) {
  platform::File holder;
  platform::File other;
  ASSERT_EQ(holder.Open(tablePath_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
  ASSERT_EQ(other.Open(tablePath_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
  ASSERT_EQ(LockRegion(holder, kLockBase + 100, 10), 0);
  EXPECT_EQ(LockRegion(other, kLockBase + 109, 5), 33);
  EXPECT_EQ(LockRegion(other, kLockBase + 110, 5), 0);
  EXPECT_EQ(UnlockRegion(holder, kLockBase + 100, 10), 0);
  EXPECT_EQ(LockRegion(other, kLockBase + 100, 10), 0);
}

// A second open holds the table lock byte that the requests below ask for.
class LockRetrySettingsTest : public LockTableTest {
 protected:
  void SetUp() override {
    LockTableTest::SetUp();
    ASSERT_EQ(holder_.Open(tablePath_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
    ASSERT_EQ(other_.Open(tablePath_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
    ASSERT_EQ(holder_.LockRegion(kLockBase, 1), 0);
  }
  void ReleaseHolder() { ASSERT_EQ(holder_.UnlockRegion(kLockBase, 1), 0); }

  platform::File holder_;
  platform::File other_;
};

TEST_F(LockRetrySettingsTest, SingleAttemptByDefault) {
  int waits = 0;
  Settings().processEvents = [&waits] { ++waits; };
  EXPECT_FALSE(LockWithRetry(other_, kLockBase, 1));
  EXPECT_EQ(waits, 0);
}

TEST_F(LockRetrySettingsTest, RetryAfterTheWaitCanSucceed) {
  Settings().lockRetryCount = 1;
  Settings().lockRetryWaitMs = 10;
  Settings().processEvents = [this] { ReleaseHolder(); };
  EXPECT_TRUE(LockWithRetry(other_, kLockBase, 1));
  EXPECT_TRUE(holder_.RegionLockedByOther(kLockBase, 1));
}

TEST_F(LockRetrySettingsTest, WaitsOnlyBetweenAttempts) {
  Settings().lockRetryCount = 2;
  Settings().lockRetryWaitMs = 10;
  int waits = 0;
  // Each wait ends after its first event pass, so the count is the number of waits.
  Settings().processEvents = [&waits] {
    ++waits;
    Settings().terminating = true;
  };
  int asked = 0;
  Settings().lockFailureCallback = [&asked] {
    ++asked;
    return asked == 1;
  };
  EXPECT_FALSE(LockWithRetry(other_, kLockBase, 1));
  EXPECT_EQ(waits, 4);  // two rounds of three attempts
  EXPECT_EQ(asked, 2);
}

TEST_F(LockRetrySettingsTest, CallbackIsAskedOnceTheAttemptsAreUsedUp) {
  Settings().lockRetryCount = 2;
  int asked = 0;
  Settings().lockFailureCallback = [&asked] {
    ++asked;
    return false;
  };
  EXPECT_FALSE(LockWithRetry(other_, kLockBase, 1));
  EXPECT_EQ(asked, 1);
}

TEST_F(LockRetrySettingsTest, CallbackAnsweringTrueStartsTheAttemptsOver) {
  int asked = 0;
  Settings().lockFailureCallback = [this, &asked] {
    if (++asked == 2) ReleaseHolder();
    return true;
  };
  EXPECT_TRUE(LockWithRetry(other_, kLockBase, 1));
  EXPECT_EQ(asked, 2);
}

TEST(LockWaitTest, ProcessesEventsOnlyFromTenMilliseconds) {
  const EngineSettings saved = Settings();
  int processed = 0;
  Settings().processEvents = [&processed] { ++processed; };
  LockWait(5);
  EXPECT_EQ(processed, 0);
  LockWait(10);
  EXPECT_GE(processed, 1);
  Settings() = saved;
}

TEST(LockWaitTest, EndsWhenTheProgramTerminates) {
  const EngineSettings saved = Settings();
  int processed = 0;
  Settings().processEvents = [&processed] {
    ++processed;
    Settings().terminating = true;
  };
  LockWait(600000);
  EXPECT_EQ(processed, 1);
  Settings() = saved;
}

TEST_F(TableLockByteTest, HeldByteRefusesAnotherOpen) {
  Select(1);
  Open(tablePath_, " ALIAS FIRST");
  Select(2);
  Open(tablePath_, " ALIAS SECOND");
  Select(1);
  ASSERT_TRUE(LockTableByte());
  const auto held = LockHeldOn(tablePath_, kLockBase, 2);
  ASSERT_TRUE(held.has_value());
  EXPECT_EQ(held->offset, kLockBase);
  EXPECT_EQ(held->length, 1u);
  Select(2);
  EXPECT_FALSE(LockTableByte());
  EXPECT_TRUE(ALock());  // the append byte is a separate region
  Select(1);
  UnlockTableByte();
  EXPECT_EQ(EngineErrorCode(), 0);
  Select(2);
  EXPECT_TRUE(LockTableByte());
}

TEST_F(TableLockByteTest, FailedReleaseIsReportedWithTheTableAndWorkArea) {
  Select(3);
  Open(tablePath_);
  const std::string fileName = CurrentArea().fileName;
  ASSERT_EQ(CurrentArea().file.Close(), 0);
  int dispatched = 0;
  const ErrorHook previousHook = SetErrorHook([&dispatched] { ++dispatched; });
  SetAutoDispatch(true);
  UnlockTableByte();
  SetAutoDispatch(false);
  SetErrorHook(previousHook);
  EXPECT_EQ(dispatched, 1);
  EXPECT_EQ(EngineErrorCode(), platform::kFileNotOpen);
  EXPECT_EQ(TakeDetailText(), "Error attempting to UNLOCK file " + fileName + " in Workarea 3");
}

}  // namespace
}  // namespace pw::testing
