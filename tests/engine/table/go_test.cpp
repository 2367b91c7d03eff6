// Going to a record by number, for callers (Go) and for the index engine (RawGo).
#include <gtest/gtest.h>

#include <vector>

#include "common/error_state.h"
#include "engine/table/go.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using GoTest = SmallTableTest;

std::vector<unsigned char> ImageBytes() {
  const WorkArea& area = CurrentArea();
  return {area.image, area.image + area.imageSize};
}

TEST_F(GoTest, ReadsARecordWhateverItsVisibility) {
  Open({" aaa", "*bbb", " ccc"});
  SetIgnoreDel(true);
  Go(2);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(CurrentArea().recordNumber, 2);
  EXPECT_EQ(RawText(), "*bbb");
  EXPECT_EQ(CurrentArea().image[0], 1);
}

TEST_F(GoTest, NumberOutsideTheTableSetsEofAndKeepsTheImage) {
  Open({" aaa", " bbb"});
  Skip(-1);
  ASSERT_TRUE(CurrentArea().bof);
  const std::vector<unsigned char> before = ImageBytes();
  for (int n : {0, 3}) {
    Go(n);
    EXPECT_EQ(EngineErrorCode(), 212);
    EXPECT_EQ(Detail(), "Invalid record number = " + std::to_string(n) + " Database \"" +
                            TableName() + "\" [GO]");
    const WorkArea& area = CurrentArea();
    EXPECT_TRUE(area.eof);
    EXPECT_FALSE(area.bof);
    EXPECT_EQ(area.recordNumber, 3);
    EXPECT_EQ(ImageBytes(), before);
  }
}

TEST_F(GoTest, EmptyTableSetsBofAndBlanksTheRecord) {
  Open({});
  CurrentArea().raw[1] = 'x';
  Go(1);
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), "Invalid record number = 1 Database \"" + TableName() + "\" [GO]");
  EXPECT_TRUE(CurrentArea().bof);
  EXPECT_TRUE(CurrentArea().eof);
  EXPECT_EQ(RawText(), "    ");
}

using RawGoTest = SmallTableTest;

TEST_F(RawGoTest, ReadsWithoutTouchingBof) {
  Open({" aaa", " bbb"});
  Skip(-1);
  ASSERT_TRUE(CurrentArea().bof);
  RawGo(2);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(CurrentArea().recordNumber, 2);
  EXPECT_EQ(ImageText(), "bbb");
  EXPECT_TRUE(CurrentArea().bof);
}

TEST_F(RawGoTest, BeyondTheLastRecordIsEndOfFile) {
  Open({" aaa", " bbb"});
  RawGo(7);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(CurrentArea().recordNumber, 3);
  EXPECT_TRUE(CurrentArea().eof);
  EXPECT_FALSE(CurrentArea().bof);
  EXPECT_EQ(RawText(), "    ");
}

TEST_F(RawGoTest, FailuresCarryItsOwnTag) {
  Open({" aaa"});
  RawGo(0);
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), " [Dbf4RawGo]");
  EXPECT_EQ(CurrentArea().recordNumber, 1);

  // A record the header counts but the file lacks: a short read.
  CurrentArea().recordCount = 2;
  RawGo(2);
  EXPECT_EQ(EngineErrorCode(), 213);
  EXPECT_EQ(Detail(), " [Dbf4RawGo]");
}

}  // namespace
}  // namespace pw::testing
