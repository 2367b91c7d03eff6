// Arithmetic on numbers and dates, the text operators, comparisons of every
// type and division by zero.
#include <string>

#include "common/error_state.h"
#include "engine/expr/expression.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprArithmetic = ExprTest;
using ExprComparison = ExprTest;

TEST_F(ExprArithmetic, NumbersFollowDoubleArithmetic) {
  OpenNotes();
  EXPECT_EQ(Number("0.1 + 0.2"), 0.1 + 0.2);
  EXPECT_EQ(Number("7 / 2"), 3.5);
  EXPECT_EQ(Number("AMOUNT * 2"), 25);
  EXPECT_EQ(Number("-HANDLE"), -42);
  EXPECT_NEAR(Number("2 ^ 0.5"), 1.4142135623730951, 1e-15);
  EXPECT_NEAR(Number("9 ** 0.5"), 3, 1e-12);
}

TEST_F(ExprArithmetic, PowersOfBasesAtOrBelowZeroFollowPowWhereDefined) {
  OpenNotes();
  EXPECT_EQ(Number("(-2) ^ 3"), -8);
  EXPECT_EQ(Number("0 ^ 2"), 0);
  EXPECT_EQ(Number("0 ^ 0"), 1);
  EXPECT_EQ(Number("(-8) ^ (1/3)"), 0);  // no real value
  EXPECT_EQ(Number("0 ^ -1"), 0);        // no value
}

TEST_F(ExprArithmetic, DatesAddAndSubtractDaysUnrounded) {
  OpenNotes();
  EXPECT_EQ(DateValue("DATECREATE + 1.5"), 2460378.5);
  EXPECT_EQ(Text("DTOS(DATECREATE + 1.5)"), "20240308");
  EXPECT_EQ(Text("DTOS(DATECREATE - 7)"), "20240229");
  EXPECT_EQ(Number("DATECREATE - CTOD('03/07/2023')"), 366);
}

TEST_F(ExprArithmetic, PlusJoinsTexts) {
  OpenNotes();
  EXPECT_EQ(Text("'ab' + 'cd'"), "abcd");
  EXPECT_EQ(Text("SHOWING + ALARMACT + NAME"), "YYabc" + std::string(17, ' '));
}

TEST_F(ExprArithmetic, MinusMovesTrailingBlanksToTheEnd) {
  OpenNotes();
  EXPECT_EQ(Text("'AB  ' - 'CD'"), "ABCD  ");
  EXPECT_EQ(Text("'   ' - 'CD'"), "CD   ");
  EXPECT_EQ(Text("'' - 'CD '"), "CD ");
  EXPECT_EQ(Text("NAME - '!'"), "abc!" + std::string(17, ' '));
}

TEST_F(ExprArithmetic, TextResultsAreCutAt255Characters) {
  OpenNotes();
  std::string pairs;
  for (int i = 0; i < 128; ++i) pairs += "ab";
  EXPECT_EQ(Text("REPLICATE('ab', 200)"), pairs.substr(0, 255));
  EXPECT_EQ(Text("SPACE(300)").size(), 255u);
  EXPECT_EQ(Text("SPACE(200) + REPLICATE('x', 200)"), std::string(200, ' ') + std::string(55, 'x'));
  EXPECT_EQ(Text("SPACE(200) - 'x'"), "x" + std::string(200, ' '));
  EXPECT_EQ(Number("LEN(SPACE(250) + SPACE(250))"), 255);
}

TEST_F(ExprArithmetic, DivisionByZeroReports358AndGoesOnWith1e250) {
  OpenNotes();
  SetAutoDispatch(false);
  EXPECT_TRUE(Logical("1/0 > 5"));
  EXPECT_EQ(EngineErrorCode(), 358);
  EXPECT_EQ(Detail(), "Error during evaluation: Divide by 0 [Evaluate/Engine]");
  ClearEngineError();
  EXPECT_EQ(Number("HANDLE / (HANDLE - 42)"), 1e250);
  EXPECT_EQ(EngineErrorCode(), 358);
  ClearEngineError();
  EXPECT_EQ(Number("MOD(7, 0.5)"), 1e250);
  EXPECT_EQ(EngineErrorCode(), 358);
}

TEST_F(ExprArithmetic, WithAutoDispatchOnDivisionByZeroEndsTheEvaluation) {
  OpenNotes();
  int dispatched = 0;
  SetAutoDispatch(true);
  const ErrorHook previous = SetErrorHook([&] { ++dispatched; });
  CompiledExpr* expr = Compile("STR(1/0) + 'tail'");
  ASSERT_NE(expr, nullptr);
  const char* result = static_cast<const char*>(Evaluate(expr));
  SetErrorHook(previous);
  SetAutoDispatch(false);
  EXPECT_EQ(dispatched, 1);
  EXPECT_EQ(EngineErrorCode(), 358);
  // The concatenation never ran.
  EXPECT_EQ(std::string(result).find("tail"), std::string::npos);
}

TEST_F(ExprComparison, TextEqualityIsAPrefixTestWithANonEmptyRight) {
  OpenNotes();
  EXPECT_TRUE(Logical("'abc' = 'ab'"));
  EXPECT_FALSE(Logical("'ab' = 'abc'"));
  EXPECT_FALSE(Logical("'abc' = ''"));
  EXPECT_FALSE(Logical("'' = ''"));
  EXPECT_TRUE(Logical("'abc' <> 'ab'"));
  EXPECT_TRUE(Logical("'abc' # 'ab'"));
  EXPECT_FALSE(Logical("'abc' <> 'abc'"));
  EXPECT_TRUE(Logical("'abc' == 'abc'"));
  EXPECT_FALSE(Logical("'abc' == 'ab'"));
  EXPECT_FALSE(Logical("NAME == 'abc'"));  // the field keeps its trailing blanks
  EXPECT_TRUE(Logical("NAME = 'abc'"));
  EXPECT_FALSE(Logical("'abc' = 'ABC'"));  // no case folding
}

TEST_F(ExprComparison, ContainsNeedsANonEmptyLeftText) {
  OpenNotes();
  EXPECT_TRUE(Logical("'A' $ 'CAB'"));
  EXPECT_FALSE(Logical("'' $ 'CAB'"));
  EXPECT_FALSE(Logical("'D' $ 'CAB'"));
  EXPECT_TRUE(Logical("'list' $ NOTEBOARD"));
}

TEST_F(ExprComparison, TextsOrderByUnsignedBytesWithPrefixesFirst) {
  OpenNotes();
  EXPECT_TRUE(Logical("'ab' < 'abc'"));
  EXPECT_TRUE(Logical("'abc' > 'ab'"));
  EXPECT_TRUE(Logical("'B' < 'a'"));
  EXPECT_TRUE(Logical("'z' < '\xe9'"));  // 0xE9 sorts above ASCII
  EXPECT_TRUE(Logical("'ab' <= 'ab'"));
  EXPECT_TRUE(Logical("'ab' >= 'ab'"));
  EXPECT_FALSE(Logical("'ab' >= 'b'"));
}

TEST_F(ExprComparison, NumbersDatesAndLogicalsCompareByValue) {
  OpenNotes();
  EXPECT_TRUE(Logical("HANDLE = 42"));
  EXPECT_TRUE(Logical("HANDLE <> 41"));
  EXPECT_TRUE(Logical("HANDLE >= 42 .AND. HANDLE <= 42"));
  EXPECT_FALSE(Logical("HANDLE < 42 .OR. HANDLE > 42"));
  EXPECT_TRUE(Logical("DATECREATE > DATE"));
  EXPECT_TRUE(Logical("DATE = CTOD('01/01/2000')"));
  EXPECT_TRUE(Logical("FLAG = .T."));
  EXPECT_TRUE(Logical("FLAG # .F."));
  EXPECT_FALSE(Logical("FLAG <> .T."));
}

TEST_F(ExprComparison, TheBlankDateIsAboveEveryDateAndEqualToItself) {
  OpenNotes();
  PokeField("DATE", "        ");
  EXPECT_EQ(DateValue("DATE"), 1e100);
  EXPECT_TRUE(Logical("DATE > CTOD('12/31/9999')"));
  EXPECT_TRUE(Logical("DATE = CTOD('02/30/2024')"));
}

}  // namespace
}  // namespace pw::testing
