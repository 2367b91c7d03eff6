#include "common/date_test_fixture.h"
#include "common/date_text.h"

namespace pw {
namespace {

using DateValidateTest = DateTest;

bool Valid(std::string text) {
  return ValidateDateText(text);
}

TEST_F(DateValidateTest, RejectsDaysTheMonthDoesNotHave) {
  UseDates(0, false);
  EXPECT_FALSE(Valid("02/30/24"));
  EXPECT_FALSE(Valid("02/31/24"));
  EXPECT_FALSE(Valid("04/31/24"));
  EXPECT_FALSE(Valid("06/31/24"));
  EXPECT_FALSE(Valid("09/31/24"));
  EXPECT_FALSE(Valid("11/31/24"));
  EXPECT_TRUE(Valid("12/31/24"));
}

TEST_F(DateValidateTest, TwentyNinthOfFebruaryOnlyInLeapYears) {
  UseDates(0, false);
  EXPECT_FALSE(Valid("02/29/23"));
  EXPECT_TRUE(Valid("02/29/24"));
  // 00 is 2000 under epoch year 1954, a leap year.
  EXPECT_TRUE(Valid("02/29/00"));
  UseDates(0, true);
  EXPECT_FALSE(Valid("02/29/1900"));
  EXPECT_TRUE(Valid("02/29/2000"));
}

TEST_F(DateValidateTest, RejectsMonthAndDayOutOfRange) {
  UseDates(0, false);
  EXPECT_FALSE(Valid("13/01/24"));
  EXPECT_FALSE(Valid("00/01/24"));
  EXPECT_FALSE(Valid("01/00/24"));
  EXPECT_FALSE(Valid("01/32/24"));
}

TEST_F(DateValidateTest, RejectsMalformedTexts) {
  UseDates(0, false);
  EXPECT_FALSE(Valid("03/07/2x"));
  EXPECT_FALSE(Valid("0a/07/24"));
  EXPECT_FALSE(Valid("03/07/124"));
  EXPECT_FALSE(Valid("20240307"));
  EXPECT_FALSE(Valid(""));
  EXPECT_FALSE(Valid("03/  /24"));
  EXPECT_FALSE(Valid("003/07/24"));
}

TEST_F(DateValidateTest, InvalidTextIsLeftUnchanged) {
  UseDates(0, false);
  std::string text = " 2/30/24";
  EXPECT_FALSE(ValidateDateText(text));
  EXPECT_EQ(text, " 2/30/24");
}

TEST_F(DateValidateTest, BlankTextIsValidAndBecomesBlankOfCode) {
  UseDates(0, false);
  std::string text = "  /  /  ";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "  /  /  ");
  UseDates(5, true);
  text = "  .  .    ";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "  .  .    ");
  UseDates(3, false);
  text = "  /  /  ";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "  -  -  ");
}

TEST_F(DateValidateTest, ValidTextIsPaddedInItsOwnLayout) {
  UseDates(0, false);
  std::string text = " 3/7/24 ";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "03/07/24");
  UseDates(5, false);
  text = "7.3.24";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "07.03.24");
  UseDates(1, true);
  text = "24.3.7";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "2024.03.07");
}

TEST_F(DateValidateTest, FourDigitYearLosesCenturyWhenSwitchIsOff) {
  UseDates(0, false);
  std::string text = "03/07/2024";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "03/07/24");
  UseDates(2, false);
  text = "07/03/1999";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "07/03/99");
}

TEST_F(DateValidateTest, CenturyOnCompletesTwoDigitYear) {
  UseDates(2, true);
  std::string text = "07/03/60";
  EXPECT_TRUE(ValidateDateText(text));
  EXPECT_EQ(text, "07/03/1960");
}

}  // namespace
}  // namespace pw
