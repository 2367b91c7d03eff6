// The number functions and the conversions between numbers and texts.
#include <string>

#include "engine/table/work_areas.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprNumberFunctions = ExprTest;

TEST_F(ExprNumberFunctions, AbsIntMaxMin) {
  OpenNotes();
  EXPECT_EQ(Number("ABS(-2.5)"), 2.5);
  EXPECT_EQ(Number("INT(-2.7)"), -2);
  EXPECT_EQ(Number("INT(2.7)"), 2);
  EXPECT_EQ(Number("MAX(1, 2)"), 2);
  EXPECT_EQ(Number("MIN(1, 2)"), 1);
  EXPECT_EQ(DateValue("MAX(DATE, DATECREATE)"), 2460377);
  EXPECT_EQ(DateValue("MIN(DATE, DATECREATE)"), 2451545);
}

TEST_F(ExprNumberFunctions, ModKeepsTheSignOfTheDividend) {
  OpenNotes();
  EXPECT_EQ(Number("MOD(-7, 3)"), -1);
  EXPECT_EQ(Number("MOD(7, -3)"), 1);
  EXPECT_EQ(Number("MOD(7.9, 3.9)"), 1);
  EXPECT_EQ(Number("MOD(-9223372036854775808, -1)"), 0);
}

TEST_F(ExprNumberFunctions, RoundCutsTheFraction) {
  OpenNotes();
  EXPECT_EQ(Number("ROUND(2.567, 2)"), 2.56);
  EXPECT_EQ(Number("ROUND(2.567, 0)"), 2);
  EXPECT_EQ(Number("ROUND(2.567, -1)"), 2);
  EXPECT_EQ(Number("ROUND(-2.567, 1)"), -2.5);
  EXPECT_NEAR(Number("ROUND(2.5, 999999999999)"), 2.5, 1e-12);
  EXPECT_NEAR(Number("ROUND(2.5, 20)"), 2.5, 1e-12);
  EXPECT_EQ(Number("INT(1e20 + 0.5)"), 1e20);
}

TEST_F(ExprNumberFunctions, StrWritesFixedNotationRightAligned) {
  OpenNotes();
  EXPECT_EQ(Text("STR(3.14159, 6, 2)"), "  3.14");
  EXPECT_EQ(Text("STR(1234, 3)"), "***");
  EXPECT_EQ(Text("STR(42)"), "        42");
  EXPECT_EQ(Text("STR(2.6, 3)"), "  3");
  EXPECT_EQ(Text("STR(-1.5, 6, 2)"), " -1.50");
  EXPECT_EQ(Text("STR(-0.001, 5, 2)"), " 0.00");
  EXPECT_EQ(Text("STR(1, 0)"), "");
  EXPECT_EQ(Text("STR(1, 3, 5)"), "***");
  EXPECT_EQ(Text("STR(1/0, 4)"), "****");
  EXPECT_EQ(Text("STR(HANDLE, 4)"), "  42");
  EXPECT_EQ(Text("STR(1, 300)").size(), 255u);
}

TEST_F(ExprNumberFunctions, StrRoundsHalvesAwayFromZeroAfter15Digits) {
  OpenNotes();
  EXPECT_EQ(Text("STR(2.5, 3, 0)"), "  3");
  EXPECT_EQ(Text("STR(-2.5, 3, 0)"), " -3");
  EXPECT_EQ(Text("STR(-1.25, 6, 1)"), "  -1.3");
  EXPECT_EQ(Text("STR(0.125, 5, 2)"), " 0.13");
  EXPECT_EQ(Text("STR(2.675, 5, 2)"), " 2.68");  // 2.67499999... as a double
  EXPECT_EQ(Text("STR(0.5, 1)"), "1");
  EXPECT_EQ(Text("STR(-0.004, 5, 2)"), " 0.00");
  EXPECT_EQ(Text("STR(-0.005, 5, 2)"), "-0.01");
  // A half that carries into a new digit overflows a width that just fitted.
  EXPECT_EQ(Text("STR(9.5, 1)"), "*");
  EXPECT_EQ(Text("STR(9.995, 5, 2)"), "10.00");
  EXPECT_EQ(Text("STR(99.995, 5, 2)"), "*****");
  EXPECT_EQ(Text("STR(-9.5, 2)"), "**");
  // Beyond 15 digits a double's digits are not taken at their word.
  EXPECT_EQ(Text("STR(2 ^ 53, 16)"), "9007199254740990");
  EXPECT_EQ(Text("STR(1E20, 21)"), "100000000000000000000");
}

TEST_F(ExprNumberFunctions, ValReadsTheLeadingDecimalNumber) {
  OpenNotes();
  EXPECT_EQ(Number("VAL('12.5')"), 12.5);
  EXPECT_EQ(Number("VAL('  -3e2  ')"), -300);
  EXPECT_EQ(Number("VAL('+7')"), 7);
  EXPECT_EQ(Number("VAL('')"), 0);
  EXPECT_EQ(Number("VAL('   ')"), 0);
  EXPECT_EQ(Number("VAL('abc')"), 0);
  EXPECT_EQ(Number("VAL('12abc')"), 12);
  EXPECT_EQ(Number("VAL('1.5e')"), 1.5);
  EXPECT_EQ(Number("VAL('inf')"), 0);
  EXPECT_EQ(Number("VAL(STR(AMOUNT, 8, 2))"), 12.5);
}

TEST_F(ExprNumberFunctions, RecnoAndDeletedDescribeTheCurrentRecord) {
  OpenNotes();
  AddRecord(NoteRecord());
  EXPECT_EQ(Number("RECNO()"), 2);
  EXPECT_FALSE(Logical("DELETED()"));
  CurrentArea().raw[0] = '*';
  EXPECT_TRUE(Logical("DELETED()"));
}

}  // namespace
}  // namespace pw::testing
