// Moving to the first and last visible records, with deleted records hidden.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/go_bottom.h"
#include "engine/table/go_top.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using NavigationTopBottomTest = SmallTableTest;

TEST_F(NavigationTopBottomTest, BottomIsTheLastVisibleRecord) {
  Open({" aaa", " bbb", "*ccc", "*ddd"});
  GoBottom();
  EXPECT_EQ(CurrentArea().recordNumber, 4);
  EXPECT_EQ(RawText(), "*ddd");
  SetIgnoreDel(true);
  GoBottom();
  EXPECT_EQ(CurrentArea().recordNumber, 2);
  EXPECT_EQ(ImageText(), "bbb");
  EXPECT_FALSE(CurrentArea().bof);
  EXPECT_FALSE(CurrentArea().eof);
}

TEST_F(NavigationTopBottomTest, AllRecordsHiddenEndsWithBofAndEofAtEitherEnd) {
  Open({"*aaa", "*bbb", "*ccc"});
  SetIgnoreDel(true);
  GoTop();
  const WorkArea& area = CurrentArea();
  EXPECT_TRUE(area.bof);
  EXPECT_TRUE(area.eof);
  EXPECT_EQ(area.recordNumber, 4);
  EXPECT_EQ(RawText(), "    ");

  GoBottom();
  EXPECT_TRUE(area.bof);
  EXPECT_TRUE(area.eof);
  EXPECT_EQ(area.recordNumber, 4);
  EXPECT_EQ(RawText(), "    ");
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(NavigationTopBottomTest, EmptyTableStaysAsItIs) {
  Open({});
  GoBottom();
  GoTop();
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordNumber, 0);
  EXPECT_TRUE(area.bof);
  EXPECT_TRUE(area.eof);
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(NavigationTopBottomTest, NoTableInUseIsReported) {
  GoBottom();
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_EQ(Detail(), "No database in use [GoBottom]  WorkArea = 1");
}

}  // namespace
}  // namespace pw::testing
