// Locate on one field: the stored form searched for in each field type, the
// NOCASE and EXACT options, hidden records, Continue, and the messages.
#include <gtest/gtest.h>

#include "common/date_settings.h"
#include "common/error_state.h"
#include "engine/table/engine_state.h"
#include "engine/table/go.h"
#include "engine/table/locate.h"
#include "engine/table/locate_args.h"
#include "engine/table/set_filter_to.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/work_areas.h"
#include "filter_locate_test_support.h"

namespace pw::testing {
namespace {

class LocateTest : public FilterLocateTest {
 protected:
  // Locates `value` in field `field` from record 1; the record landed on,
  // or 0 when not found (then at end of file).
  std::int32_t Find(const std::string& field, const LocateValue& value, bool caseInsensitive,
                    bool exact) {
    const bool found = LocateField(field, value, caseInsensitive, exact, 1);
    EXPECT_EQ(found, !AtEof());
    return found ? Current() : 0;
  }
  // The locate's field is reset by a search that finds nothing.
  void ForgetLocate() {
    EXPECT_FALSE(LocateField("NAME", TextValue("no such name"), false, true, 1));
  }
};

TEST_F(LocateTest, CharacterFieldMatchesItsBeginningUnlessExact) {
  OpenPeople({{.name = "Smithson"}, {.name = "Smith"}, {.name = "Smit"}});
  EXPECT_EQ(Find("NAME", TextValue("Smith"), false, false), 1);
  EXPECT_EQ(Find("NAME", TextValue("Smith"), false, true), 2);
  EXPECT_EQ(ProcessState().locate.searchText, "Smith" + std::string(15, ' '));
  EXPECT_EQ(Find("NAME", TextValue("Smith   "), false, false), 1) << "trailing blanks dropped";
  EXPECT_EQ(Find("NAME", TextValue("Smithsonian"), false, false), 0);
}

TEST_F(LocateTest, NocaseMatchesWithoutRegardToCase) {
  OpenPeople({{.name = "JONES"}, {.name = "SMITH"}});
  EXPECT_EQ(Find("NAME", TextValue("smith"), true, false), 2);
  EXPECT_EQ(Find("NAME", TextValue("smith"), true, true), 2);
  EXPECT_EQ(Find("NAME", TextValue("smith"), false, false), 0);
  EXPECT_EQ(Find("NAME", TextValue("SMITH"), false, false), 2);
}

TEST_F(LocateTest, TextOutsideAsciiMatchesInAnOemTable) {
  ASSERT_FALSE(Settings().ansiLanguage);
  OpenPeople({{.name = "Jones"}, {.name = "M\xFCller"}});
  ASSERT_TRUE(CurrentArea().oem);
  EXPECT_EQ(Find("NAME", TextValue("M\xFCller"), false, true), 2);
  EXPECT_EQ(Find("NAME", TextValue("M\xDCLLER"), true, false), 2);
}

TEST_F(LocateTest, NumberFieldsAreSearchedInTheirRightAlignedStoredForm) {
  OpenPeople({{.handle = "420", .amount = "3.05"},
              {.handle = "42", .amount = "3.50"},
              {.handle = "4", .amount = "13.50"}});
  EXPECT_EQ(Find("HANDLE", WholeValue(42), false, false), 2);
  EXPECT_EQ(ProcessState().locate.searchText, "        42");
  EXPECT_EQ(Find("AMOUNT", RealValue(3.5), false, false), 2);
  EXPECT_EQ(ProcessState().locate.searchText, std::string(11, ' ') + "3.50");
  EXPECT_EQ(Find("AMOUNT", RealValue(13.5), false, true), 3);
  EXPECT_EQ(Find("HANDLE", WholeValue(5), false, false), 0);
}

TEST_F(LocateTest, NumberWithDecimalsIsFoundWhateverTheDecimalSeparator) {
  OpenPeople({{.amount = "1.25"}, {.amount = "3.50"}});
  CurrentDateSettings().decimalSeparator = ',';
  EXPECT_EQ(Find("AMOUNT", RealValue(3.5), false, false), 2);
}

TEST_F(LocateTest, DateFieldIsSearchedAsTheSortTextOfTheDateGiven) {
  OpenPeople({{.due = "20240306"}, {.due = "20240307"}});
  SetDateType(0);
  EXPECT_EQ(Find("DUE", TextValue("03/07/24"), false, false), 2);
  EXPECT_EQ(ProcessState().locate.searchText, "20240307");
  EXPECT_EQ(Find("DUE", TextValue("03/08/24"), false, false), 0);
}

TEST_F(LocateTest, LogicalFieldIsSearchedAsTOrF) {
  OpenPeople({{.done = "F"}, {.done = "T"}});
  EXPECT_EQ(Find("DONE", TruthValue(true), false, false), 2);
  EXPECT_EQ(Find("DONE", TruthValue(false), false, false), 1);
}

TEST_F(LocateTest, EmptyValueWithoutExactMatchesTheFirstVisibleRecord) {
  OpenPeople({{.name = "a"}, {.name = "b"}, {.name = "c"}});
  Delete(1);
  SetIgnoreDel(true);
  EXPECT_EQ(Find("NAME", TextValue(""), false, false), 2);
}

TEST_F(LocateTest, HiddenMatchesArePassedOver) {
  OpenPeople({{.name = "Smith", .alarm = "Y"},
              {.name = "Jones", .alarm = "Y"},
              {.name = "Smith", .alarm = "N"},
              {.name = "Smith", .alarm = "Y"}});
  Delete(1);
  SetIgnoreDel(true);
  ASSERT_TRUE(Set_Filter_To("ALARMACT == \"Y\""));
  EXPECT_EQ(Find("NAME", TextValue("Smith"), false, false), 4);
  Delete(4);
  EXPECT_EQ(Find("NAME", TextValue("Smith"), false, false), 0);
  EXPECT_EQ(ProcessState().locate.field, 0);
}

TEST_F(LocateTest, SearchStartsAtTheRecordGiven) {
  OpenPeople({{.name = "Smith"}, {.name = "Jones"}, {.name = "Smith"}});
  EXPECT_TRUE(LocateField("NAME", TextValue("Smith"), false, false, 2));
  EXPECT_EQ(Current(), 3);
}

TEST_F(LocateTest, ContinueFindsTheNextVisibleMatchUntilThereIsNone) {
  OpenPeople({{.name = "Smith"},
              {.name = "Jones"},
              {.name = "smithy"},
              {.name = "Smith"},
              {.name = "SMITH"}});
  Delete(4);
  SetIgnoreDel(true);
  ASSERT_EQ(Find("NAME", TextValue("smith"), true, false), 1);
  EXPECT_TRUE(Continue());
  EXPECT_EQ(Current(), 3);
  EXPECT_TRUE(Continue()) << "record 4 is deleted and hidden";
  EXPECT_EQ(Current(), 5);
  EXPECT_FALSE(Continue());
  EXPECT_TRUE(AtEof());
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_FALSE(Continue());
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Call to CONTINUE not preceeded by call to LOCATE. [Continue]");
}

TEST_F(LocateTest, ContinueAfterALocateThatFoundNothingIsRefused) {
  OpenPeople({{.name = "Smith"}});
  ForgetLocate();
  EXPECT_TRUE(AtEof());
  EXPECT_EQ(EngineErrorCode(), 0) << "not finding is no error";
  EXPECT_FALSE(Continue());
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Call to CONTINUE not preceeded by call to LOCATE. [Continue]");
}

TEST_F(LocateTest, OnlyTheFirstWordOfTheFieldTextIsTheName) {
  OpenPeople({{.name = "SMITH"}});
  EXPECT_EQ(Find(" NAME NOCASE", TextValue("smith"), false, false), 0);
  EXPECT_EQ(EngineErrorCode(), 0);
  Go(1);
  EXPECT_FALSE(LocateField("   ", TextValue("SMITH"), false, false, 1));
  EXPECT_EQ(Current(), 1) << "an empty name does nothing";
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(LocateTest, UnknownFieldReportsAndStaysWhereItWas) {
  OpenPeople({{.name = "Smith"}, {.name = "Jones"}});
  Go(2);
  EXPECT_FALSE(LocateField("surname", TextValue("Smith"), false, false, 1));
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Unrecognized field name [Locate/Count/Sum(SURNAME)]");
  EXPECT_EQ(Current(), 2);
  EXPECT_EQ(ProcessState().locate.field, 0);
}

TEST_F(LocateTest, ArgumentsGiveTheFieldAndTheOptionsInAnyOrder) {
  OpenPeople({});
  EXPECT_EQ(ParseLocateArgs("  desc nocase exact "), 7);
  EXPECT_FALSE(ProcessState().locate.caseSensitive);
  EXPECT_TRUE(ProcessState().locate.exact);
  EXPECT_EQ(ParseLocateArgs("handle EXACT"), 2);
  EXPECT_TRUE(ProcessState().locate.caseSensitive);
  EXPECT_TRUE(ProcessState().locate.exact);
  EXPECT_EQ(ParseLocateArgs("Name"), 1);
  EXPECT_TRUE(ProcessState().locate.caseSensitive);
  EXPECT_FALSE(ProcessState().locate.exact);
  EXPECT_EQ(ParseLocateArgs("NAME NOCASEX"), 0) << "NOCASEX is no option";
  EXPECT_EQ(Detail(), "Unrecognized field name [Locate/Count/Sum(NAME NOCASEX)]");
}

TEST_F(LocateTest, ArgumentsWithoutAFieldNameAreRefused) {
  OpenPeople({});
  EXPECT_EQ(ParseLocateArgs(" \t "), 0);
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "No field name specified [Locate/Count/Sum]");
}

TEST_F(LocateTest, ArgumentsWithoutATableReportNoDatabaseInUse) {
  ASSERT_TRUE(Select(9));
  EXPECT_EQ(ParseLocateArgs("NAME"), 0);
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_NE(Detail().find("[Locate/Count/Sum]"), std::string::npos);
}

}  // namespace
}  // namespace pw::testing
