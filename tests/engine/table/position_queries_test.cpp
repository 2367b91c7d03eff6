// End and beginning of file, record number, count and size queries.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/go.h"
#include "engine/table/position_queries.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using PositionQueryTest = SmallTableTest;

TEST_F(PositionQueryTest, AnswersForAnOpenTable) {
  Open({" aaa", " bbb"});
  EXPECT_EQ(RecNo(), 1);
  EXPECT_EQ(RecCount(), 2);
  EXPECT_EQ(RecSize(), 4);
  EXPECT_FALSE(dEOF());
  EXPECT_FALSE(dBOF());
  Skip(-1);
  EXPECT_TRUE(dBOF());
  Go(2);
  Skip(1);
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(RecNo(), 3);
}

TEST_F(PositionQueryTest, EofFollowsARecordNumberBeyondTheCount) {
  Open({" aaa", " bbb"});
  Go(2);
  // The record count shrank under the work area (e.g. after another open packed).
  CurrentArea().recordCount = 1;
  ASSERT_FALSE(CurrentArea().eof);
  EXPECT_TRUE(dEOF());
  EXPECT_TRUE(CurrentArea().eof);
}

TEST_F(PositionQueryTest, SharedCountIsRefreshedFromTheFileSize) {
  Open({" aaa", " bbb"}, "");
  WriteBytes(path_, DbfBytes(0x03, {{"TEXT", 'C', 3}}, {" aaa", " bbb", " ccc"}));
  EXPECT_EQ(RecCount(), 3);
}

TEST_F(PositionQueryTest, NoTableInUse) {
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(Detail(), "No database in use [dEOF()]  WorkArea = 1");
  EXPECT_TRUE(dBOF());
  EXPECT_EQ(RecNo(), 0);
  EXPECT_EQ(RecCount(), 0);
  EXPECT_EQ(RecSize(), 0);
  EXPECT_EQ(EngineErrorCode(), 215);
}

}  // namespace
}  // namespace pw::testing
