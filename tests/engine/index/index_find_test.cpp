// Finding records by key: partial and exact C matches, numeric keys, the
// descending direction, hidden records, and the reports without an order.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/position_queries.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/skip.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_nav_test_support.h"

namespace pw::testing {
namespace {

class IndexFindTest : public IndexNavTest {
 protected:
  // NAME C(5), SHOWING C(1), HANDLE N(10); tags NAME, SHOWING, HANDLE.
  void OpenNames(const std::vector<std::vector<std::string>>& records,
                 bool descendingNames = false) {
    OpenIndexed({Field("NAME", 'C', 5), Field("SHOWING", 'C', 1), Field("HANDLE", 'N', 10)},
                records,
                {{"NAME", "NAME", "", descendingNames, false},
                 {"SHOWING", "SHOWING", "", false, false},
                 {"HANDLE", "HANDLE", "", false, false}});
  }
};

TEST_F(IndexFindTest, FindYOnShowingLandsOnFirstShowingNoteInKeyOrder) {
  OpenNames({{"a", "N", "1"}, {"b", "Y", "2"}, {"c", "N", "3"}, {"d", "Y", "4"}});
  ASSERT_TRUE(SetOrderToTag("showing")) << Detail();
  EXPECT_TRUE(Find("Y"));
  EXPECT_TRUE(Found());
  EXPECT_EQ(RecNo(), 2);
  EXPECT_FALSE(dEOF());
  Skip(1);
  EXPECT_EQ(RecNo(), 4) << "the next key in SHOWING order";
}

TEST_F(IndexFindTest, FindOfAbsentKeyLeavesTableAtEofNotFound) {
  OpenNames({{"a", "Y", "1"}, {"b", "Y", "2"}});
  ASSERT_TRUE(Set_Order_To(2));
  EXPECT_FALSE(Find("N"));
  EXPECT_FALSE(Found());
  EXPECT_TRUE(dEOF());
  EXPECT_EQ(RecNo(), 3);
}

TEST_F(IndexFindTest, PartialTextMatchesLongerKeyButExactDoesNot) {
  OpenNames({{"AA", "N", "1"}, {"ABC", "N", "2"}, {"B", "N", "3"}});
  EXPECT_TRUE(Find("AB"));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_FALSE(FindExact("AB"));
  EXPECT_TRUE(dEOF());
  EXPECT_TRUE(FindExact("ABC"));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_FALSE(Find("ABD"));
}

TEST_F(IndexFindTest, FindExactRestoresPartialMatchingAfterwards) {
  OpenNames({{"ABC", "N", "1"}});
  EXPECT_FALSE(FindExact("AB"));
  EXPECT_TRUE(Find("AB"));
}

TEST_F(IndexFindTest, DescendingTagFindsFirstKeyWithPrefixInItsOrder) {
  OpenNames({{"ABA", "N", "1"}, {"ABC", "N", "2"}, {"AC", "N", "3"}, {"AA", "N", "4"}}, true);
  EXPECT_TRUE(Find("AB"));
  EXPECT_EQ(RecNo(), 2) << "ABC comes before ABA in descending order";
  EXPECT_TRUE(Find("AC"));
  EXPECT_EQ(RecNo(), 3);
  EXPECT_FALSE(Find("AD"));
}

TEST_F(IndexFindTest, DescendingTagFindsKeyWhoseNextByteIsFF) {
  // 0xA0 is stored as OEM 0xFF: the highest byte after the prefix.
  OpenNames({{"AB\xA0", "N", "1"}, {"ABA", "N", "2"}}, true);
  EXPECT_TRUE(Find("AB"));
  EXPECT_EQ(RecNo(), 1);
}

TEST_F(IndexFindTest, NumericTagFindsByNumberText) {
  OpenNames({{"a", "N", "30"}, {"b", "N", "-5"}, {"c", "N", "100"}});
  ASSERT_TRUE(SetOrderToTag("HANDLE"));
  EXPECT_TRUE(Find("100"));
  EXPECT_EQ(RecNo(), 3);
  EXPECT_TRUE(Find("-5"));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_FALSE(Find("31"));
  EXPECT_TRUE(dEOF());
}

TEST_F(IndexFindTest, HiddenRecordsAreSkippedForward) {
  OpenNames({{"AB1", "N", "1"}, {"AB2", "N", "2"}, {"AC", "N", "3"}});
  Go(1);
  ASSERT_TRUE(DeleteRec());
  SetIgnoreDel(true);
  EXPECT_TRUE(Find("AB"));
  EXPECT_EQ(RecNo(), 2);
  Go(2);
  ASSERT_TRUE(DeleteRec());
  EXPECT_FALSE(Find("AB")) << "the next visible key AC does not match";
}

TEST_F(IndexFindTest, FoundRecordBecomesEveryTagsPosition) {
  OpenNames({{"b", "N", "1"}, {"a", "Y", "2"}, {"c", "Y", "3"}});
  ASSERT_TRUE(Find("c"));
  ASSERT_TRUE(Set_Order_To(2));
  EXPECT_EQ(RecNo(), 3);
  Skip(-1);
  EXPECT_EQ(RecNo(), 2) << "Y keys: 2 then 3";
}

TEST_F(IndexFindTest, NaturalOrderFindReportsOrderZero) {
  OpenNames({{"a", "N", "1"}});
  ASSERT_TRUE(Set_Order_To(0));
  EXPECT_FALSE(Find("a"));
  EXPECT_EQ(EngineErrorCode(), 254);
  EXPECT_EQ(Detail(), "Cannot use Find() with index order 0 (natural order) [Find]");
}

TEST_F(IndexFindTest, FindWithoutIndexReports221) {
  OpenTable("plain", {Field("NAME", 'C', 5)}, {{"a"}});
  EXPECT_FALSE(Find("a"));
  EXPECT_EQ(EngineErrorCode(), 221);
  EXPECT_EQ(Detail(), "Index not open. (DBF=" + CurrentArea().fileName + ") [Find]");
}

TEST_F(IndexFindTest, EmptyTextChangesNothing) {
  OpenNames({{"a", "N", "1"}, {"b", "N", "2"}});
  Go(2);
  EXPECT_FALSE(Find(""));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_EQ(EngineErrorCode(), 0);
}

}  // namespace
}  // namespace pw::testing
