#include "common/century_rule.h"
#include "common/date_test_fixture.h"
#include "common/date_text.h"

namespace pw {
namespace {

using DateCenturyTest = DateTest;

TEST_F(DateCenturyTest, TwoDigitYearsFollowEpochYear) {
  UseDates(0, false);
  EXPECT_EQ(CenturyOf("53"), 2000);
  EXPECT_EQ(CenturyOf("54"), 1900);
  EXPECT_EQ(CenturyOf("99"), 1900);
  EXPECT_EQ(CenturyOf("00"), 2000);
  EXPECT_EQ(CompleteYear("53"), 2053);
  EXPECT_EQ(CompleteYear("54"), 1954);
}

TEST_F(DateCenturyTest, EpochYearMovesTheWindow) {
  UseDates(0, false);
  CurrentDateSettings().epochYear = 1899;
  EXPECT_EQ(CenturyOf("98"), 1900);
  EXPECT_EQ(CenturyOf("99"), 1800);
  CurrentDateSettings().epochYear = 2000;
  EXPECT_EQ(CenturyOf("00"), 2000);
  EXPECT_EQ(CenturyOf("99"), 2000);
}

TEST_F(DateCenturyTest, YearThatIsNotANumberCountsAsZero) {
  UseDates(0, false);
  EXPECT_EQ(CenturyOf("  "), 2000);
  EXPECT_EQ(CenturyOf("x7"), 2000);
  EXPECT_EQ(CompleteYear("ab"), 2000);
}

TEST_F(DateCenturyTest, CompleteYearKeepsLongerYears) {
  UseDates(0, false);
  EXPECT_EQ(CompleteYear("1899"), 1899);
  EXPECT_EQ(CompleteYear("123"), 123);
}

TEST_F(DateCenturyTest, NormalizeYearWithCenturyOn) {
  UseDates(0, true);
  EXPECT_EQ(NormalizeYear("24"), "2024");
  EXPECT_EQ(NormalizeYear("60"), "1960");
  EXPECT_EQ(NormalizeYear("5"), "0005");
  EXPECT_EQ(NormalizeYear("123"), "0123");
  EXPECT_EQ(NormalizeYear("1999"), "1999");
}

TEST_F(DateCenturyTest, NormalizeYearWithCenturyOffKeepsYear) {
  UseDates(0, false);
  EXPECT_EQ(NormalizeYear("24"), "24");
  EXPECT_EQ(NormalizeYear("2024"), "2024");
  EXPECT_EQ(NormalizeYear("5"), "5");
}

TEST_F(DateCenturyTest, LeapYears) {
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
}

}  // namespace
}  // namespace pw
