// Moving off records that an edit or the hide-deleted switch has hidden.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/lock.h"
#include "engine/table/resync.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using ResyncTest = SmallTableTest;

TEST_F(ResyncTest, DeletedRecordGivesWayToTheNextVisible) {
  Open({" aaa", " bbb", "*ccc", " ddd"});
  SetIgnoreDel(true);
  Go(2);
  ASSERT_TRUE(DeleteRec());
  EXPECT_TRUE(Resync());
  EXPECT_EQ(CurrentArea().recordNumber, 4);
  EXPECT_EQ(ImageText(), "ddd");
}

TEST_F(ResyncTest, LastVisibleRecordGivesWayToThePrevious) {
  Open({" aaa", "*bbb", " ccc", "*ddd"});
  SetIgnoreDel(true);
  Go(3);
  ASSERT_TRUE(DeleteRec());
  EXPECT_TRUE(Resync());
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordNumber, 1);
  EXPECT_FALSE(area.eof);
  EXPECT_EQ(ImageText(), "aaa");
}

TEST_F(ResyncTest, VisibleRecordStays) {
  Open({" aaa", " bbb"});
  SetIgnoreDel(true);
  Go(2);
  EXPECT_FALSE(Resync());
  EXPECT_EQ(CurrentArea().recordNumber, 2);

  // While deleted records show, a deleted record stays too.
  SetIgnoreDel(false);
  ASSERT_TRUE(DeleteRec());
  EXPECT_FALSE(Resync());
  EXPECT_EQ(CurrentArea().recordNumber, 2);
}

TEST_F(ResyncTest, MovingOffReleasesTheLocks) {
  Open({" aaa", " bbb"}, "");
  SetIgnoreDel(true);
  ASSERT_TRUE(RLock());
  ASSERT_TRUE(DeleteRec());
  EXPECT_TRUE(Resync());
  EXPECT_EQ(CurrentArea().recordNumber, 2);
  EXPECT_EQ(CurrentArea().lockState, LockState::None);
  EXPECT_TRUE(CurrentArea().recordLocks.empty());
}

using SetIgnoreDelTest = SmallTableTest;

TEST_F(SetIgnoreDelTest, ReturnsThePreviousFlagAndStaysOnTheRecord) {
  Open({" aaa", "*bbb"});
  Go(2);
  SetImageText("zzz");
  EXPECT_FALSE(SetIgnoreDel(true));
  EXPECT_TRUE(CurrentArea().hideDeleted);
  EXPECT_EQ(CurrentArea().recordNumber, 2);
  EXPECT_EQ(ImageText(), "bbb");  // re-read
  EXPECT_TRUE(SetIgnoreDel(false));
  EXPECT_FALSE(CurrentArea().hideDeleted);
}

}  // namespace
}  // namespace pw::testing
