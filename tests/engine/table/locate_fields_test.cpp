// Locating by several fields at once, and searching memo text.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "common/number_routines.h"
#include "engine/table/go.h"
#include "engine/table/locate.h"
#include "engine/table/locate_fields.h"
#include "engine/table/memo_contains.h"
#include "engine/table/peek_poke.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/work_areas.h"
#include "filter_locate_test_support.h"

namespace pw::testing {
namespace {

using LocateFieldsTest = FilterLocateTest;

// DESC begins with x in records 1, 3 and 4; HANDLE is 5 in records 2, 4 and 5.
std::vector<Person> Mixed() {
  return {{.handle = "1", .desc = "xa"},
          {.handle = "5", .desc = "b"},
          {.handle = "7", .desc = "xc"},
          {.handle = "5", .desc = "xd"},
          {.handle = "5", .desc = "xe"}};
}

LocateValue Both(const std::string& text, long long whole) {
  return {.text = text, .whole = whole};
}

TEST_F(LocateFieldsTest, EveryFieldMustMatchInTheSameRecord) {
  OpenPeople(Mixed());
  EXPECT_TRUE(LocateFields("DESC;HANDLE", {Both("x", 0), Both("", 5)}, false, false, true));
  EXPECT_EQ(Current(), 4);
  EXPECT_TRUE(LocateFields("HANDLE;DESC", {Both("", 5), Both("x", 0)}, false, false, true));
  EXPECT_EQ(Current(), 4);
}

TEST_F(LocateFieldsTest, HiddenRecordsAreNotFound) {
  OpenPeople(Mixed());
  Delete(4);
  SetIgnoreDel(true);
  EXPECT_TRUE(LocateFields("DESC;HANDLE", {Both("x", 0), Both("", 5)}, false, false, true));
  EXPECT_EQ(Current(), 5);
}

TEST_F(LocateFieldsTest, NotFoundGoesBackToTheRecordThatWasCurrent) {
  OpenPeople(Mixed());
  Go(2);
  EXPECT_FALSE(LocateFields("DESC;HANDLE", {Both("xc", 0), Both("", 5)}, false, false, true));
  EXPECT_EQ(Current(), 2);
  EXPECT_FALSE(AtEof());
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(LocateFieldsTest, FoundStaysOnlyWhenAskedTo) {
  OpenPeople(Mixed());
  Go(1);
  EXPECT_TRUE(LocateFields("DESC;HANDLE", {Both("xe", 0), Both("", 5)}, false, false, false));
  EXPECT_EQ(Current(), 1) << "found, but not asked to stay";
  EXPECT_TRUE(LocateFields("DESC;HANDLE", {Both("xe", 0), Both("", 5)}, false, false, true));
  EXPECT_EQ(Current(), 5);
}

TEST_F(LocateFieldsTest, OneFieldUsesTheOneValue) {
  OpenPeople(Mixed());
  EXPECT_TRUE(LocateFields("HANDLE", {Both("", 7)}, false, true, true));
  EXPECT_EQ(Current(), 3);
}

TEST_F(LocateFieldsTest, UnknownFieldIsReportedAfterGoingBack) {
  OpenPeople(Mixed());
  Go(2);
  EXPECT_FALSE(LocateFields("DESC;NOPE", {Both("x", 0), Both("", 5)}, false, false, true));
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Unrecognized field name [Locate/Count/Sum(NOPE)]");
}

TEST_F(LocateFieldsTest, FewerValuesThanFieldsAreRefused) {
  OpenPeople(Mixed());
  Go(2);
  EXPECT_FALSE(LocateFields("DESC;HANDLE", {Both("x", 0)}, false, false, true));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Current(), 2);
}

using LocateMemoTest = FilterLocateTest;

TEST_F(LocateMemoTest, LineIsFoundWithoutRegardToCaseWhenAsked) {
  OpenPeople({{.memo = "nothing here"}, {.memo = "first line\r\nSecond line"}});
  EXPECT_TRUE(LocateField("MEMO", TextValue("second line"), true, false, 1));
  EXPECT_EQ(Current(), 2);
  EXPECT_FALSE(LocateField("MEMO", TextValue("second line"), false, false, 1));
  EXPECT_TRUE(LocateField("MEMO", TextValue("ond li"), false, true, 1))
      << "a substring, also exact";
  EXPECT_EQ(Current(), 2);
  EXPECT_FALSE(LocateField("MEMO", TextValue("line Second"), true, false, 1))
      << "lines are searched one by one";
}

TEST_F(LocateMemoTest, RecordWithoutMemoIsNeverFound) {
  OpenPeople({{.name = "no memo"}, {.memo = "a line"}});
  ASSERT_EQ(ValLongText(Peek(8, 1)), 0);
  EXPECT_TRUE(LocateField("MEMO", TextValue("line"), false, false, 1));
  EXPECT_EQ(Current(), 2);
  EXPECT_TRUE(MemoContains("a line", Peek(8, 2)));
  EXPECT_FALSE(MemoContains("", Peek(8, 2))) << "an empty text matches no line";
  EXPECT_FALSE(MemoContains("a", Peek(8, 1)));
  EXPECT_FALSE(MemoContains("a", "        -1"));
}

TEST_F(LocateMemoTest, ContinueSearchesTheNextMemos) {
  OpenPeople({{.memo = "Call Ann"}, {.memo = "buy milk"}, {.memo = "x\rcall BOB"}});
  ASSERT_TRUE(LocateField("MEMO", TextValue("CALL"), true, false, 1));
  EXPECT_EQ(Current(), 1);
  EXPECT_TRUE(Continue());
  EXPECT_EQ(Current(), 3);
  EXPECT_FALSE(Continue());
}

TEST_F(LocateMemoTest, WithoutTheMemoUnitNothingIsFoundAndThatIsReported) {
  OpenPeople({{.memo = "a line"}});
  RegisteredHooks().memo = nullptr;
  EXPECT_FALSE(LocateField("MEMO", TextValue("line"), false, false, 1));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "MEMO unit not linked in [Count/Sum/Continue]");
  EXPECT_TRUE(AtEof());
}

}  // namespace
}  // namespace pw::testing
