// Filters: which records movements visit under a filter, how a filter is
// set, replaced and removed, and which records a filter that is not a
// condition shows.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/go.h"
#include "engine/table/go_top.h"
#include "engine/table/set_filter_to.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/skip.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"
#include "filter_locate_test_support.h"

namespace pw::testing {
namespace {

using Records = std::vector<std::int32_t>;

class FilterTest : public FilterLocateTest {
 protected:
  // Records 1-5 with ALARMACT Y, N, Y, N, Y.
  void OpenAlarms() {
    OpenPeople({{.name = "a", .alarm = "Y"},
                {.name = "b", .alarm = "N"},
                {.name = "c", .alarm = "Y"},
                {.name = "d", .alarm = "N"},
                {.name = "e", .alarm = "Y"}});
  }
};

TEST_F(FilterTest, ConditionLimitsGoTopSkipAndGoBottomToPassingRecords) {
  OpenAlarms();
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\"")) << Detail();
  EXPECT_EQ(VisitedForward(), (Records{1, 3, 5}));
  EXPECT_EQ(VisitedBackward(), (Records{5, 3, 1}));
}

TEST_F(FilterTest, EmptyOrBlankExpressionRemovesTheFilter) {
  OpenAlarms();
  for (const std::string blank : {"", "   ", " \t\r\n"}) {
    ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\"")) << Detail();
    ASSERT_EQ(VisitedForward(), (Records{1, 3, 5}));
    EXPECT_TRUE(Set_Filter_To(blank));
    EXPECT_EQ(CurrentArea().filter, nullptr);
    EXPECT_EQ(VisitedForward(), (Records{1, 2, 3, 4, 5})) << "after \"" << blank << "\"";
  }
}

TEST_F(FilterTest, NewFilterReplacesTheOldOne) {
  OpenAlarms();
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\""));
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"N\"")) << Detail();
  EXPECT_EQ(VisitedForward(), (Records{2, 4}));
}

TEST_F(FilterTest, ExpressionThatDoesNotCompileLeavesNoFilterAtAll) {
  OpenAlarms();
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\""));
  EXPECT_FALSE(Set_Filter_To("ALARMACT == "));
  EXPECT_NE(EngineErrorCode(), 0);
  EXPECT_FALSE(Detail().empty());
  EXPECT_EQ(CurrentArea().filter, nullptr);
  EXPECT_EQ(VisitedForward(), (Records{1, 2, 3, 4, 5}));
}

TEST_F(FilterTest, SettingAFilterNeitherMovesNorTestsTheCurrentRecord) {
  OpenAlarms();
  Go(2);
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\""));
  EXPECT_EQ(Current(), 2);
  EXPECT_FALSE(FilterPasses());
  Skip(1);
  EXPECT_EQ(Current(), 3);
}

TEST_F(FilterTest, WithoutTheExpressionUnitNothingChanges) {
  OpenAlarms();
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\""));
  const UnitState* filter = CurrentArea().filter.get();
  ExprHooks* expr = RegisteredHooks().expr;
  RegisteredHooks().expr = nullptr;
  EXPECT_FALSE(Set_Filter_To(""));
  RegisteredHooks().expr = expr;
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "VORerave unit not linked in. [Set_Filter_To]");
  EXPECT_EQ(CurrentArea().filter.get(), filter);
}

TEST_F(FilterTest, WithoutATableReportsNoDatabaseInUse) {
  ASSERT_TRUE(Select(7));
  EXPECT_FALSE(Set_Filter_To("1 == 1"));
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_NE(Detail().find("[Set_Filter_To]"), std::string::npos);
}

TEST_F(FilterTest, HiddenDeletedAndFilteredRecordsAreBothSkipped) {
  OpenAlarms();
  Delete(3);
  Delete(4);
  SetIgnoreDel(true);
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\""));
  EXPECT_EQ(VisitedForward(), (Records{1, 5}));
  EXPECT_EQ(VisitedBackward(), (Records{5, 1}));
  Delete(1);
  Delete(5);
  GoTop();
  EXPECT_TRUE(AtEof());
  EXPECT_TRUE(CurrentArea().bof);
}

TEST_F(FilterTest, FilterPassesIgnoresTheDeletedFlag) {
  OpenAlarms();
  EXPECT_TRUE(FilterPasses()) << "no filter";
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\""));
  Delete(3);
  SetIgnoreDel(true);
  Go(3);
  EXPECT_FALSE(IsVisible(CurrentArea()));
  EXPECT_TRUE(FilterPasses());
  Go(4);
  EXPECT_FALSE(FilterPasses());
}

// A filter that is not a condition shows a record when its value is
// true-like: a number other than 0, a date other than the blank date, a
// text that is not empty.
TEST_F(FilterTest, NumberResultShowsRecordsWhoseValueIsNotZero) {
  OpenPeople({{.handle = "0"}, {.handle = "1"}, {.handle = "2"}, {.handle = "-1"}});
  ASSERT_TRUE(Set_Filter_To("HANDLE")) << Detail();
  EXPECT_EQ(VisitedForward(), (Records{2, 3, 4}));
  ASSERT_TRUE(Set_Filter_To("HANDLE - 1")) << Detail();
  EXPECT_EQ(VisitedForward(), (Records{1, 3, 4}));
}

TEST_F(FilterTest, DateResultShowsRecordsWhoseDateIsNotBlank) {
  OpenPeople({{.due = "20240307"}, {.due = ""}, {.due = "19991231"}});
  ASSERT_TRUE(Set_Filter_To("DUE")) << Detail();
  EXPECT_EQ(VisitedForward(), (Records{1, 3}));
}

TEST_F(FilterTest, TextResultShowsRecordsWhoseTextIsNotEmpty) {
  OpenPeople({{.name = "Smith"}, {.name = ""}, {.name = "Jones"}});
  ASSERT_TRUE(Set_Filter_To("TRIM(NAME)")) << Detail();
  EXPECT_EQ(VisitedForward(), (Records{1, 3}));
  // A text of blanks is not empty.
  ASSERT_TRUE(Set_Filter_To("NAME")) << Detail();
  EXPECT_EQ(VisitedForward(), (Records{1, 2, 3}));
}

}  // namespace
}  // namespace pw::testing
