#include "common/number_routines.h"

#include <gtest/gtest.h>

#include "common/date_settings.h"

namespace pw {
namespace {

// Sets the separators for one case and restores them afterwards.
class NumberTextTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = CurrentDateSettings(); }
  void TearDown() override { CurrentDateSettings() = saved_; }
  static void UseSeparators(char decimal, char thousands) {
    CurrentDateSettings().decimalSeparator = decimal;
    CurrentDateSettings().thousandsSeparator = thousands;
  }

 private:
  DateSettings saved_;
};

TEST_F(NumberTextTest, StrIntFillsOnTheLeft) {
  EXPECT_EQ(StrInt(42, 5), "   42");
  EXPECT_EQ(StrInt(-42, 5), "  -42");
  EXPECT_EQ(StrInt(123456, 3), "123456");
  EXPECT_EQ(StrInt(7, 0), "7");
}

TEST_F(NumberTextTest, StrNumUsesDecimalSeparator) {
  UseSeparators('.', ',');
  EXPECT_EQ(StrNum(3.14159, 8, 2), "    3.14");
  EXPECT_EQ(StrNum(-2.5, 0, 1), "-2.5");
  EXPECT_EQ(StrNum(12.0, 4, 0), "  12");
  EXPECT_EQ(StrNum(0.125, 5, 2), " 0.13");
  EXPECT_EQ(StrNum(-2.5, 3, 0), " -3");
  UseSeparators(',', '.');
  EXPECT_EQ(StrNum(3.14159, 6, 3), " 3,142");
}

TEST_F(NumberTextTest, ValIntReadsTypedWholeNumbers) {
  UseSeparators('.', ',');
  EXPECT_EQ(ValInt("1,234"), 1234);
  EXPECT_EQ(ValInt("99999"), 32767);
  EXPECT_EQ(ValInt("-99999"), -32768);
  EXPECT_EQ(ValInt("-5 apples"), -5);
  EXPECT_EQ(ValInt(""), 0);
  EXPECT_EQ(ValInt("  + 17"), 17);
  EXPECT_EQ(ValInt("$12"), 12);
  EXPECT_EQ(ValInt("12.9"), 12);
  EXPECT_EQ(ValInt("abc"), 0);
  EXPECT_EQ(ValInt("-"), 0);
}

TEST_F(NumberTextTest, ValIntDropsPointsUnderCommaDecimals) {
  UseSeparators(',', '.');
  EXPECT_EQ(ValInt("1.234"), 1234);
  EXPECT_EQ(ValInt("1,234"), 1);
}

TEST_F(NumberTextTest, CleanNumberTextWithPoint) {
  UseSeparators('.', ',');
  EXPECT_EQ(CleanNumberText("$ -1,234.50"), "-1234.50");
  EXPECT_EQ(CleanNumberText("12."), "12");
  EXPECT_EQ(CleanNumberText(".5"), "0.5");
  EXPECT_EQ(CleanNumberText("-.5"), "-0.5");
  EXPECT_EQ(CleanNumberText(" +- -7"), "-7");
  EXPECT_EQ(CleanNumberText("-"), "");
  EXPECT_EQ(CleanNumberText("12 34"), "12");
  EXPECT_EQ(CleanNumberText("5-3"), "5");
  EXPECT_EQ(CleanNumberText("abc"), "");
}

TEST_F(NumberTextTest, CleanNumberTextWithComma) {
  UseSeparators(',', '.');
  EXPECT_EQ(CleanNumberText("1.234,5"), "1234.5");
  EXPECT_EQ(CleanNumberText("-,25"), "-0.25");
  EXPECT_EQ(CleanNumberText(",5"), "0.5");
}

TEST_F(NumberTextTest, ValLongTextTakesWholePart) {
  UseSeparators('.', ',');
  EXPECT_EQ(ValLongText("$ -1,234.50"), -1234);
  EXPECT_EQ(ValLongText("70000"), 70000);
  EXPECT_EQ(ValLongText(""), 0);
  EXPECT_EQ(ValLongText("x"), 0);
  EXPECT_EQ(ValLongText("99999999999"), 2147483647);
}

}  // namespace
}  // namespace pw
