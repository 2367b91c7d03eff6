// Choosing the controlling order: by number, by name, natural order, and
// the reports for orders that do not exist or an index that is not open.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/index/index_order.h"
#include "engine/table/go.h"
#include "engine/table/position_queries.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"
#include "index_nav_test_support.h"

namespace pw::testing {
namespace {

class IndexOrderTest : public IndexNavTest {
 protected:
  void SetUp() override {
    IndexNavTest::SetUp();
    // NAME ascending, HANDLE ascending, NAME descending.
    OpenIndexed({Field("NAME", 'C', 5), Field("HANDLE", 'N', 10)},
                {{"c", "1"}, {"a", "3"}, {"b", "2"}},
                {{"NAME", "NAME", "", false, false},
                 {"HANDLE", "HANDLE", "", false, false},
                 {"DESCENDING", "NAME", "", true, false}});
  }

  std::string TableName() const { return CurrentArea().fileName; }
};

TEST_F(IndexOrderTest, TagOneControlsAfterOpening) {
  EXPECT_EQ(CurrentOrder(), 1);
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{2, 3, 1}));
}

TEST_F(IndexOrderTest, EachTagOrdersTheWalk) {
  ASSERT_TRUE(Set_Order_To(2)) << Detail();
  EXPECT_EQ(CurrentOrder(), 2);
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{1, 3, 2}));
  ASSERT_TRUE(Set_Order_To(3)) << Detail();
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{1, 3, 2}));
  EXPECT_EQ(WalkBackward(), (std::vector<std::int32_t>{2, 3, 1}));
  ASSERT_TRUE(Set_Order_To(1)) << Detail();
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{2, 3, 1}));
}

TEST_F(IndexOrderTest, OrderAboveTagCountReports220AndKeepsOrder) {
  ASSERT_TRUE(Set_Order_To(2));
  EXPECT_FALSE(Set_Order_To(4));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Invalid Index Order Specified: SET_ORDER_TO. [Set_Order_To(4)] (DBF=" +
                          TableName() + ")");
  EXPECT_EQ(CurrentOrder(), 2);
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{1, 3, 2}));
}

TEST_F(IndexOrderTest, OrderZeroWalksInRecordNumberOrder) {
  ASSERT_TRUE(Set_Order_To(0));
  EXPECT_EQ(CurrentOrder(), 0);
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(WalkBackward(), (std::vector<std::int32_t>{3, 2, 1}));
}

TEST_F(IndexOrderTest, ChangeOfOrderKeepsTheCurrentRecord) {
  Go(3);
  ASSERT_TRUE(Set_Order_To(2));
  EXPECT_EQ(RecNo(), 3);
  Skip(1);
  EXPECT_EQ(RecNo(), 2) << "HANDLE 2 is followed by HANDLE 3";
  ASSERT_TRUE(Set_Order_To(0));
  ASSERT_TRUE(Set_Order_To(1));
  Skip(1);
  EXPECT_EQ(RecNo(), 3) << "NAME a is followed by NAME b";
}

TEST_F(IndexOrderTest, TagNameIsMatchedUpperCasedAndCut) {
  ASSERT_TRUE(SetOrderToTag("handle")) << Detail();
  EXPECT_EQ(CurrentOrder(), 2);
  ASSERT_TRUE(SetOrderToTag("descendingXYZ")) << Detail();
  EXPECT_EQ(CurrentOrder(), 3);
  ASSERT_TRUE(SetOrderToTag(""));
  EXPECT_EQ(CurrentOrder(), 0);
}

TEST_F(IndexOrderTest, UnknownTagNameReports220) {
  EXPECT_FALSE(SetOrderToTag("nope"));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Invalid Index Order Specified: SET_ORDER_TO. [SetOrderToTag(nope)] (DBF=" +
                          TableName() + ")");
  EXPECT_EQ(CurrentOrder(), 1);
}

TEST_F(IndexOrderTest, WithoutIndexReports221) {
  OpenTable("plain", {Field("NAME", 'C', 5)}, {{"a"}});
  EXPECT_FALSE(Set_Order_To(1));
  EXPECT_EQ(EngineErrorCode(), 221);
  EXPECT_EQ(Detail(), "Index not open. (DBF=" + TableName() + ") [Set_Order_To(1)]");
  EXPECT_FALSE(SetOrderToTag("x"));
  EXPECT_EQ(Detail(), "Index not open. (DBF=" + TableName() + ") [SetOrderToTag(x)]");
  EXPECT_EQ(CurrentOrder(), 0);
}

TEST_F(IndexOrderTest, FormerOrderAtEofLeavesNewOrderAtEof) {
  Go(1);
  Skip(1);
  ASSERT_TRUE(dEOF()) << "NAME c is the last key";
  ASSERT_TRUE(Set_Order_To(2));
  EXPECT_TRUE(dEOF());
}

}  // namespace
}  // namespace pw::testing
