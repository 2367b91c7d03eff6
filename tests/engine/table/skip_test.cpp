// Skipping over visible records, and the ends of the table.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/go.h"
#include "engine/table/go_top.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using SkipTest = SmallTableTest;

TEST_F(SkipTest, ForwardCountsOnlyVisibleRecords) {
  Open({" aaa", "*bbb", " ccc", " ddd", " eee", " fff"});
  SetIgnoreDel(true);
  GoTop();
  Skip(3);
  EXPECT_EQ(CurrentArea().recordNumber, 5);
  EXPECT_EQ(ImageText(), "eee");
  Skip(-3);
  EXPECT_EQ(CurrentArea().recordNumber, 1);
  EXPECT_FALSE(CurrentArea().bof);
}

TEST_F(SkipTest, PastTheLastVisibleRecordIsEndOfFileWithBofClear) {
  Open({" aaa", " bbb", "*ccc"});
  SetIgnoreDel(true);
  Go(2);
  Skip(1);
  const WorkArea& area = CurrentArea();
  EXPECT_TRUE(area.eof);
  EXPECT_FALSE(area.bof);
  EXPECT_EQ(area.recordNumber, 4);
  EXPECT_EQ(RawText(), "    ");
  EXPECT_EQ(ImageText(), "   ");
  EXPECT_EQ(EngineErrorCode(), 0);

  Skip(1);
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), "Database \"" + TableName() + "\" is past EOF. [SKIP]");

  Skip(-1);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(area.recordNumber, 2);
  EXPECT_FALSE(area.eof);
  EXPECT_EQ(ImageText(), "bbb");
}

TEST_F(SkipTest, BeforeTheFirstVisibleRecordSetsBofThere) {
  Open({"*aaa", " bbb", " ccc"});
  SetIgnoreDel(true);
  Go(3);
  Skip(-5);
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordNumber, 2);
  EXPECT_TRUE(area.bof);
  EXPECT_FALSE(area.eof);
  EXPECT_EQ(ImageText(), "bbb");

  // At BOF a further step back changes and reports nothing.
  SetImageText("xyz");
  Skip(-1);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(area.recordNumber, 2);
  EXPECT_TRUE(area.bof);
  EXPECT_EQ(ImageText(), "xyz");
}

TEST_F(SkipTest, BackFromAHiddenRecordWithNothingVisibleEndsWithBofAndEof) {
  Open({"*aaa", "*bbb"});
  Go(2);
  // Hiding keeps the work area on the now hidden record 2.
  SetIgnoreDel(true);
  ASSERT_EQ(CurrentArea().recordNumber, 2);
  Skip(-1);
  const WorkArea& area = CurrentArea();
  EXPECT_TRUE(area.bof);
  EXPECT_TRUE(area.eof);
  EXPECT_EQ(area.recordNumber, 3);
  EXPECT_EQ(RawText(), "    ");
}

TEST_F(SkipTest, ZeroRereadsTheCurrentRecord) {
  Open({" aaa", " bbb"});
  Go(2);
  SetImageText("zzz");
  Skip(0);
  EXPECT_EQ(ImageText(), "bbb");
  EXPECT_EQ(CurrentArea().recordNumber, 2);

  Skip(1);
  ASSERT_TRUE(CurrentArea().eof);
  SetImageText("zzz");
  Skip(0);
  EXPECT_EQ(ImageText(), "   ");
}

TEST_F(SkipTest, EmptyTableIsReported) {
  Open({});
  Skip(-1);
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), "Database \"" + TableName() + "\" is empty. [SKIP]");
  EXPECT_TRUE(CurrentArea().bof);
  EXPECT_TRUE(CurrentArea().eof);
}

TEST_F(SkipTest, NoTableInUseIsReported) {
  Skip(1);
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_EQ(Detail(), "No database in use [SKIP()]  WorkArea = 1");
}

}  // namespace
}  // namespace pw::testing
