#include "common/date_test_fixture.h"
#include "common/date_text.h"
#include "common/error_state.h"

namespace pw {
namespace {

using DatePartsTest = DateTest;

TEST_F(DatePartsTest, SortTextCompletesTwoDigitYear) {
  UseDates(0, false);
  EXPECT_EQ(DateToSortText("3/7/24"), "20240307");
  EXPECT_EQ(DateToSortText("12/31/60"), "19601231");
  UseDates(5, false);
  EXPECT_EQ(DateToSortText("07.03.24"), "20240307");
  UseDates(1, true);
  EXPECT_EQ(DateToSortText("1899.12.31"), "18991231");
}

TEST_F(DatePartsTest, SortTextOfBlankDate) {
  UseDates(0, false);
  const std::string blank = DateToSortText("  /  /  ");
  EXPECT_EQ(blank, "20      ");
  EXPECT_LT(blank, DateToSortText("01/01/00"));
  UseDates(5, true);
  EXPECT_EQ(DateToSortText("  .  .    "), "        ");
}

TEST_F(DatePartsTest, SortTextsOrderLikeTheirDates) {
  UseDates(2, false);
  EXPECT_LT(DateToSortText("31/12/99"), DateToSortText("01/01/00"));
  EXPECT_LT(DateToSortText("28/02/24"), DateToSortText("01/03/24"));
}

TEST_F(DatePartsTest, PiecesReadThroughAmericanForm) {
  UseDates(5, false);
  EXPECT_EQ(MonthOf("07.03.24"), 3);
  EXPECT_EQ(DayOf("07.03.24"), 7);
  EXPECT_EQ(YearOf("07.03.24"), 24);
  UseDates(5, true);
  EXPECT_EQ(YearOf("07.03.24"), 2024);
}

TEST_F(DatePartsTest, PiecesThatAreNotNumbersReadAsZero) {
  UseDates(0, false);
  EXPECT_EQ(MonthOf("  /  /  "), 0);
  EXPECT_EQ(DayOf("03/x7/24"), 0);
  EXPECT_EQ(YearOf("03/07/2y"), 0);
}

TEST_F(DatePartsTest, TodayIsARealDate) {
  const TodayDate today = TodayParts();
  UseDates(0, true);
  std::string text = DateFrom(today.year, today.month, today.day);
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_GE(today.weekday, 1);
  EXPECT_LE(today.weekday, 7);
}

// Records errors without dispatching and leaves the error state clean.
class DateFromTest : public DateTest {
 protected:
  void SetUp() override {
    DateTest::SetUp();
    ClearEngineError();
    TakeDetailText();
  }
  void TearDown() override {
    ClearEngineError();
    TakeDetailText();
    DateTest::TearDown();
  }

  AutoDispatchOff noDispatch_;
};

TEST_F(DateFromTest, FourDigitYearKeepsFourDigits) {
  UseDates(0, false);
  EXPECT_EQ(DateFrom(2024, 3, 7), "03/07/2024");
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(DateFromTest, TwoDigitYearFollowsCenturySwitch) {
  UseDates(0, false);
  EXPECT_EQ(DateFrom(24, 3, 7), "03/07/24");
  UseDates(0, true);
  EXPECT_EQ(DateFrom(24, 3, 7), "03/07/2024");
  EXPECT_EQ(DateFrom(60, 3, 7), "03/07/1960");
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(DateFromTest, WritesLayoutOfCode) {
  UseDates(5, true);
  EXPECT_EQ(DateFrom(2024, 3, 7), "07.03.2024");
  UseDates(1, false);
  EXPECT_EQ(DateFrom(24, 12, 31), "24.12.31");
}

TEST_F(DateFromTest, ImpossibleFebruaryDayRecordsError220) {
  UseDates(0, false);
  EXPECT_EQ(DateFrom(2023, 2, 29), "02/29/2023");
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(), "[DateFrom(2023, 2,29)]");
}

TEST_F(DateFromTest, ErrorTextShowsYearAsWritten) {
  UseDates(0, false);
  DateFrom(23, 13, 5);
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(), "[DateFrom(23,13, 5)]");
}

TEST_F(DateFromTest, DayOutOfRangeRecordsError220) {
  UseDates(0, true);
  DateFrom(2024, 1, 0);
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(), "[DateFrom(2024, 1, 0)]");
  ClearEngineError();
  DateFrom(2024, 1, 32);
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(), "[DateFrom(2024, 1,32)]");
}

TEST_F(DateFromTest, ThirtyFirstOfShortMonthRecordsError220) {
  UseDates(0, true);
  DateFrom(2024, 4, 31);
  EXPECT_EQ(EngineErrorCode(), 220);
  ClearEngineError();
  DateFrom(2024, 2, 30);
  EXPECT_EQ(EngineErrorCode(), 220);
}

TEST_F(DateFromTest, LeapDayIsAccepted) {
  UseDates(0, false);
  EXPECT_EQ(DateFrom(24, 2, 29), "02/29/24");
  EXPECT_EQ(DateFrom(2000, 2, 29), "02/29/2000");
  EXPECT_EQ(EngineErrorCode(), 0);
}

}  // namespace
}  // namespace pw
