// Reading expression texts: case folding, keyword spellings, names with
// points and aliases, numbers, literals, and the characters that end a text.
#include <string>

#include "common/error_state.h"
#include "engine/expr/expression.h"
#include "engine/table/work_areas.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprLexer = ExprTest;

TEST_F(ExprLexer, NamesAndFunctionsIgnoreCaseOutsideLiterals) {
  OpenNotes();
  EXPECT_EQ(Text("upper(Noteboard)"), Text("UPPER(NOTEBOARD)"));
  EXPECT_EQ(Text("lower('AbC')"), "abc");
  EXPECT_EQ(Text("'AbC'"), "AbC");
  EXPECT_EQ(Number("handle"), 42);
}

TEST_F(ExprLexer, EveryListedSpellingIsAcceptedAndNoOther) {
  OpenNotes();
  EXPECT_EQ(Text("upper('ab')"), "AB");
  EXPECT_EQ(Text("UPPE('ab')"), "AB");
  EXPECT_EQ(CompileError("UP('ab')"), 351);
  EXPECT_EQ(CompileError("UPP('ab')"), 351);
  for (const char* spelling : {"REPL", "REPLI", "REPLIC", "REPLICA", "REPLICAT", "REPLICATE"}) {
    EXPECT_EQ(Text(std::string(spelling) + "('x', 3)"), "xxx") << spelling;
  }
  EXPECT_EQ(CompileError("REP('x', 3)"), 351);
  EXPECT_EQ(CompileError("REPLICATES('x', 3)"), 351);
  for (const char* spelling : {"CMON", "CMONT", "CMONTH"}) {
    EXPECT_EQ(Text(std::string(spelling) + "(CTOD('03/07/2024'))"), "March    ") << spelling;
  }
  for (const char* spelling : {"DELE", "DELET", "DELETE", "DELETED"}) {
    EXPECT_FALSE(Logical(std::string(spelling) + "()")) << spelling;
  }
  EXPECT_EQ(Text("SUBS('hello', 2, 3)"), "ell");
  EXPECT_EQ(Text("SUBST('hello', 2, 3)"), "ell");
  EXPECT_EQ(Text("SOUN('Robert')"), "R163");
  EXPECT_EQ(Text("SOUNDE('Robert')"), "R163");
  EXPECT_EQ(Text("SPAC(2)"), "  ");
  EXPECT_EQ(Text("STUF('abc', 2, 1, 'X')"), "aXc");
  EXPECT_EQ(Text("RIGH('abc', 2)"), "bc");
  EXPECT_EQ(Text("LTRI('  a')"), "a");
  EXPECT_EQ(Text("RTRI('a  ')"), "a");
  EXPECT_EQ(Text("LOWE('A')"), "a");
  EXPECT_EQ(Number("ROUN(2.567, 2)"), 2.56);
  EXPECT_EQ(Number("MONT(CTOD('03/07/2024'))"), 3);
  EXPECT_GE(Number("RECN()"), 1);
}

TEST_F(ExprLexer, LogicalKeywordsMustNotTouchTheirNeighbours) {
  OpenNotes();
  EXPECT_TRUE(Logical(".NOT. DELETED()"));
  EXPECT_EQ(CompileError(".NOT.DELETED()"), 351);
  EXPECT_TRUE(Logical("FLAG .AND. .T."));
  EXPECT_EQ(CompileError("FLAG.AND..T."), 351);
  // "1." is the number, "AND." an unknown name.
  EXPECT_EQ(CompileError("1.AND. .T."), 351);
  EXPECT_TRUE(Logical(".t. .or. .f."));
}

TEST_F(ExprLexer, NumbersHaveNoSignAndNoLeadingPoint) {
  OpenNotes();
  EXPECT_EQ(Number("12.5"), 12.5);
  EXPECT_EQ(Number("1E3"), 1000);
  EXPECT_EQ(Number("1e3"), 1000);
  // 1E-5 is the number "1E", a minus and 5.
  EXPECT_EQ(Number("1E-5"), -4);
  EXPECT_EQ(CompileError(".5"), 351);
  // A second point ends the number; ".5" then is an unknown name.
  EXPECT_EQ(CompileError("1.2.5"), 351);
}

TEST_F(ExprLexer, LiteralsKeepTheirCaseAndTheOtherQuote) {
  OpenNotes();
  EXPECT_EQ(Text("\"it's\""), "it's");
  EXPECT_EQ(Text("'say \"hi\"'"), "say \"hi\"");
  EXPECT_EQ(Text("''"), "");
  EXPECT_EQ(CompileError("'open"), 351);
  EXPECT_EQ(CompileError("NAME = 'open"), 351);
}

TEST_F(ExprLexer, BlanksAndTabsSeparateButLineBreaksAreErrors) {
  OpenNotes();
  EXPECT_EQ(Number("\t1 +\t 2 "), 3);
  EXPECT_EQ(CompileError("1 +\r\n2"), 351);
  EXPECT_EQ(CompileError("1 \n+ 2"), 351);
  EXPECT_EQ(CompileError("1 ; 2"), 351);
  EXPECT_EQ(CompileError("1 & 2"), 351);
}

TEST_F(ExprLexer, ZeroByteAndByte255EndTheText) {
  OpenNotes();
  EXPECT_EQ(Number(std::string("1 + 2\0 junk junk", 16)), 3);
  EXPECT_EQ(Number("1 + 2\xff junk"), 3);
  // Inside a literal too: the literal is then not closed.
  EXPECT_EQ(CompileError("'ab\xff'"), 351);
}

TEST_F(ExprLexer, AFieldNameFollowedByParenthesisIsTheFunction) {
  OpenNotes();
  EXPECT_EQ(DateValue("DATE"), 2451545);  // the field DATE holds 2000-01-01
  const double today = DateValue("DATE()");
  EXPECT_GT(today, 2451545);
  EXPECT_EQ(DateValue("DATE ( )"), today);
}

TEST_F(ExprLexer, AliasedNamesReachOtherWorkAreas) {
  OpenNotes();
  ASSERT_TRUE(Select(2));
  OpenTable("other", {Field("TITLE", 'C', 10), Field("COUNT", 'N', 5)}, {{"second", "7"}},
            "OTHERS");
  ASSERT_TRUE(Select(1));
  EXPECT_EQ(Text("others->title"), "second    ");
  EXPECT_EQ(Number("OTHERS->COUNT + HANDLE"), 49);
  EXPECT_EQ(Text("NOTES->NAME"), std::string("abc").append(17, ' '));
  EXPECT_EQ(CompileError("NOBODY->TITLE"), 351);
  EXPECT_EQ(CompileError("OTHERS->NOTHING"), 351);
  // Without the alias the field is looked up in the current work area only.
  EXPECT_EQ(CompileError("TITLE"), 351);
  EXPECT_EQ(CompileError("OTHERS-> TITLE"), 351);
}

TEST_F(ExprLexer, UnknownNamesAreSyntaxErrors) {
  OpenNotes();
  EXPECT_EQ(CompileError("NOSUCHFIELD"), 351);
  EXPECT_EQ(Detail(), "Error in expression : Syntax error\r\n[NOSUCHFIELD]\r\n [AssignExpr]");
  EXPECT_EQ(CompileError("UPPER"), 351);  // a function needs its parentheses
}

TEST_F(ExprLexer, LiteralsShareAreaAndCountInThePool) {
  OpenNotes();
  CompiledExpr* expr = Compile("'abc' + 'de'");
  ASSERT_NE(expr, nullptr);
  EXPECT_EQ(expr->poolSize, 4u + 3u);
  EXPECT_STREQ(static_cast<const char*>(Evaluate(expr)), "abcde");
}

}  // namespace
}  // namespace pw::testing
