// Moving through the table engine in a tag's order: both ends, hidden
// records, FOR conditions, and natural order beside an open index.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/index/index_order.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/go_top.h"
#include "engine/table/position_queries.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/skip.h"
#include "index_nav_test_support.h"

namespace pw::testing {
namespace {

using Records = std::vector<std::int32_t>;

class IndexNavTestCase : public IndexNavTest {
 protected:
  void OpenNames(const std::vector<std::vector<std::string>>& records,
                 const std::string& forCondition = "") {
    OpenIndexed({Field("NAME", 'C', 5), Field("FLAG", 'C', 1)}, records,
                {{"NAME", "NAME", forCondition, false, false}});
  }
};

TEST_F(IndexNavTestCase, GoTopAndGoBottomFollowTheTag) {
  OpenNames({{"c", "Y"}, {"a", "Y"}, {"b", "Y"}});
  GoTop();
  EXPECT_EQ(RecNo(), 2);
  EXPECT_FALSE(dBOF());
  GoBottom();
  EXPECT_EQ(RecNo(), 1);
  EXPECT_FALSE(dEOF());
}

TEST_F(IndexNavTestCase, SkipPastTheEndAndBackReturnsToLastKey) {
  OpenNames({{"c", "Y"}, {"a", "Y"}, {"b", "Y"}});
  GoBottom();
  Skip(1);
  EXPECT_TRUE(dEOF());
  EXPECT_FALSE(dBOF());
  EXPECT_EQ(RecNo(), 4);
  Skip(-1);
  EXPECT_FALSE(dEOF());
  EXPECT_EQ(RecNo(), 1) << "back on the last key, c";
}

TEST_F(IndexNavTestCase, SkipBeforeTheFirstKeySetsBofOnTheFirstRecord) {
  OpenNames({{"c", "Y"}, {"a", "Y"}, {"b", "Y"}});
  GoTop();
  Skip(-1);
  EXPECT_TRUE(dBOF());
  EXPECT_EQ(RecNo(), 2);
  Skip(1);
  EXPECT_FALSE(dBOF());
  EXPECT_EQ(RecNo(), 3);
}

TEST_F(IndexNavTestCase, GoLandsInTheOrderWhereverTheRecordStands) {
  OpenNames({{"c", "Y"}, {"a", "Y"}, {"b", "Y"}, {"b", "Y"}});
  // Among equal keys Go finds the record's own item.
  const Records order = TagRecords(1);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    Go(order[i]);
    Skip(1);
    EXPECT_EQ(RecNo(), order[i + 1]) << "from " << order[i];
  }
}

TEST_F(IndexNavTestCase, HiddenRecordsAreSteppedOverInBothDirections) {
  OpenNames({{"c", "Y"}, {"a", "Y"}, {"b", "Y"}, {"d", "Y"}});
  Go(3);
  ASSERT_TRUE(DeleteRec());
  Go(2);
  ASSERT_TRUE(DeleteRec());
  SetIgnoreDel(true);
  EXPECT_EQ(WalkForward(), (Records{1, 4}));
  EXPECT_EQ(WalkBackward(), (Records{4, 1}));
}

TEST_F(IndexNavTestCase, EveryRecordHiddenLeavesBofAndEof) {
  OpenNames({{"a", "Y"}, {"b", "Y"}});
  Go(1);
  ASSERT_TRUE(DeleteRec());
  Go(2);
  ASSERT_TRUE(DeleteRec());
  SetIgnoreDel(true);
  GoTop();
  EXPECT_TRUE(dEOF());
  GoBottom();
  EXPECT_TRUE(dEOF());
  EXPECT_TRUE(dBOF());
}

TEST_F(IndexNavTestCase, ForTagVisitsOnlyRecordsThatMeetIt) {
  OpenNames({{"c", "Y"}, {"a", "N"}, {"b", "Y"}}, "FLAG = 'Y'");
  EXPECT_EQ(WalkForward(), (Records{3, 1}));
  EXPECT_EQ(WalkBackward(), (Records{1, 3}));
}

TEST_F(IndexNavTestCase, ForTagThatNoRecordMetIsEmptyToEveryStep) {
  OpenNames({{"c", "N"}, {"a", "N"}}, "FLAG = 'Y'");
  GoTop();
  EXPECT_TRUE(dEOF());
  GoBottom();
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(EngineErrorCode(), 0) << Detail();
}

TEST_F(IndexNavTestCase, NaturalOrderWalksRecordNumbersWhileKeysAreKept) {
  OpenNames({{"c", "Y"}, {"a", "Y"}});
  ASSERT_TRUE(Set_Order_To(0));
  AddRecord({"b", "Y"});
  EXPECT_EQ(WalkForward(), (Records{1, 2, 3}));
  ASSERT_TRUE(Set_Order_To(1));
  EXPECT_EQ(WalkForward(), (Records{2, 3, 1}));
}

}  // namespace
}  // namespace pw::testing
