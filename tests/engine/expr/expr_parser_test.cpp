// The grammar: precedence and associativity, whole-text rule, argument
// counts, type rules with their messages, the parser stack limit and the
// excerpt in compile error texts.
#include <string>

#include "common/error_state.h"
#include "engine/expr/expression.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprParser = ExprTest;

std::string Message(const std::string& message, const std::string& excerpt) {
  return "Error in expression : " + message + "\r\n" + excerpt + "\r\n [AssignExpr]";
}

TEST_F(ExprParser, OperatorsBindByLevelAndFromTheLeft) {
  OpenNotes();
  EXPECT_EQ(Number("1 + 2 * 3"), 7);
  EXPECT_EQ(Number("(1 + 2) * 3"), 9);
  EXPECT_EQ(Number("-2 ^ 2"), 4);
  EXPECT_NEAR(Number("2 ^ 3 ^ 2"), 64, 1e-9);
  EXPECT_NEAR(Number("2 ** 3 ** 2"), 64, 1e-9);
  EXPECT_EQ(Number("10 - 4 - 3"), 3);
  EXPECT_EQ(Number("24 / 4 / 2"), 3);
  EXPECT_EQ(Number("- - 3"), 3);
  EXPECT_EQ(Number("+ 3"), 3);
  EXPECT_TRUE(Logical("1 + 1 = 2 .AND. 3 > 2"));
  EXPECT_TRUE(Logical(".T. .OR. .F. .AND. .F."));  // .AND. binds tighter
  EXPECT_TRUE(Logical("'b' $ 'abc' = .T."));       // $ binds tighter than =
}

TEST_F(ExprParser, NotAppliesToTheOperandDirectlyAfterIt) {
  OpenNotes();
  // .NOT. FLAG = .F. is (.NOT. FLAG) = .F.; FLAG is true.
  EXPECT_TRUE(Logical(".NOT. FLAG = .F."));
  EXPECT_FALSE(Logical(".NOT. FLAG = .T."));
  EXPECT_TRUE(Logical(".NOT. .NOT. FLAG"));
}

TEST_F(ExprParser, TheWholeTextMustBeOneExpression) {
  OpenNotes();
  for (const char* text : {"NAME HANDLE", "NAME)", "NAME, NAME", "", "   ", "(1", "1 +", "()",
                           "1 2", ".AND.", "1 .NOT. 2"}) {
    EXPECT_EQ(CompileError(text), 351) << '"' << text << '"';
  }
}

TEST_F(ExprParser, FunctionsTakeExactlyTheirArgumentCount) {
  OpenNotes();
  EXPECT_EQ(CompileError("SUBSTR('abc', 1)"), 351);
  EXPECT_EQ(CompileError("SUBSTR('abc', 1, 1, 1)"), 351);
  EXPECT_EQ(CompileError("LEFT('abc')"), 351);
  EXPECT_EQ(CompileError("DATE(1)"), 351);
  EXPECT_EQ(CompileError("RECNO"), 351);
  EXPECT_EQ(CompileError("STR()"), 351);
  EXPECT_EQ(CompileError("STR(1, 2, 3, 4)"), 351);
  EXPECT_EQ(Text("STR(1)").size(), 10u);
  EXPECT_EQ(Text("STR(1, 3)"), "  1");
  EXPECT_EQ(Text("STR(1, 5, 1)"), "  1.0");
  EXPECT_EQ(CompileError("IIF(.T., 'a')"), 351);
}

TEST_F(ExprParser, OperatorTypeMismatchesNameTheOperator) {
  OpenNotes();
  struct Case {
    const char* text;
    const char* name;
  };
  for (const Case& c :
       {Case{"1 + 'a'", "+"},         Case{"'a' - 1", "-"},       Case{"'a' * 2", "*"},
        Case{"DATE / 2", "/"},        Case{"'a' ^ 2", "** or ^"}, Case{"2 ** 'a'", "** or ^"},
        Case{"1 = 'a'", "="},         Case{"1 # 'a'", "<>"},      Case{"1 <> 'a'", "<>"},
        Case{"FLAG < FLAG", "<"},     Case{"FLAG <= FLAG", "<="}, Case{"FLAG > FLAG", ">"},
        Case{"FLAG >= FLAG", ">="},   Case{"1 == 1", "=="},       Case{"1 $ 'a'", "$"},
        Case{"1 .AND. .T.", ".AND."}, Case{".T. .OR. 1", ".OR."}, Case{".NOT. 1", ".NOT."},
        Case{"+'a'", "Unary +"},      Case{"-FLAG", "Unary -"},   Case{"DATE + DATE", "+"},
        Case{"1 - DATE", "-"}}) {
    EXPECT_EQ(CompileError(c.text), 351) << c.text;
    const std::string detail = Detail();
    EXPECT_NE(detail.find(std::string("PARSER:Type mismatch in expression \"") + c.name + "\""),
              std::string::npos)
        << c.text << ": " << detail;
  }
}

TEST_F(ExprParser, AcceptedOperandPairsGiveTheirResultTypes) {
  OpenNotes();
  EXPECT_EQ(DateValue("DATE + 1"), 2451546);
  EXPECT_EQ(DateValue("1 + DATE"), 2451546);
  EXPECT_EQ(DateValue("DATE - 1"), 2451544);
  EXPECT_EQ(Number("DATECREATE - DATE"), 2460377 - 2451545);
  EXPECT_TRUE(Logical("DATE < DATECREATE"));
  EXPECT_TRUE(Logical("FLAG = .T."));
  EXPECT_TRUE(Logical("FLAG <> .F."));
}

TEST_F(ExprParser, FunctionTypeMismatchesNameTheFunctionInFull) {
  OpenNotes();
  for (const auto& [text, name] :
       std::initializer_list<std::pair<const char*, const char*>>{{"UPPE(1)", "UPPER"},
                                                                  {"REPL(1, 'a')", "REPLICATE"},
                                                                  {"SUBS('a', 'b', 1)", "SUBSTR"},
                                                                  {"MAX(1, DATE)", "MAX"},
                                                                  {"IIF(1, 'a', 'b')", "IIF"},
                                                                  {"IIF(.T., 1, 2)", "IIF"},
                                                                  {"DTOS('20240101')", "DTOS"},
                                                                  {"CTOD(DATE)", "CTOD"},
                                                                  {"STR('1')", "STR"},
                                                                  {"STR(1, 'a')", "STR"}}) {
    EXPECT_EQ(CompileError(text), 351) << text;
    EXPECT_NE(Detail().find(std::string("PARSER:Type mismatch in function \"") + name + "\""),
              std::string::npos)
        << text;
  }
}

TEST_F(ExprParser, AMemoValueStandsOnlyAlone) {
  OpenTable("memos", {Field("NOTE", 'M', 10), Field("NAME", 'C', 5)}, {{"", "x"}});
  CompiledExpr* memo = Compile("NOTE");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->type, ValueType::Memo);
  EXPECT_EQ(Compile("(NOTE)")->type, ValueType::Memo);
  EXPECT_EQ(CompileError("NOTE + NAME"), 351);
  EXPECT_EQ(CompileError("NOTE = 'a'"), 351);
  EXPECT_EQ(CompileError("UPPER(NOTE)"), 351);
  EXPECT_EQ(CompileError("LEN(NOTE)"), 351);
}

TEST_F(ExprParser, TheParserStackHolds150Entries) {
  OpenNotes();
  EXPECT_EQ(Number(std::string(148, '-') + "1"), 1);
  EXPECT_EQ(CompileError(std::string(149, '-') + "1"), 351);
  EXPECT_NE(Detail().find("Parser_stack_overflow"), std::string::npos);
  EXPECT_EQ(Number(std::string(100, '(') + "1" + std::string(100, ')')), 1);
  // 148 open parentheses overflow after the operand, closed or not; 147 do
  // not, and the missing closers make a syntax error.
  for (const std::string& after : {std::string(")"), std::string(), std::string("+2")}) {
    EXPECT_EQ(CompileError(std::string(148, '(') + "1" + after), 351);
    EXPECT_NE(Detail().find("Parser_stack_overflow"), std::string::npos) << after;
  }
  EXPECT_EQ(CompileError(std::string(147, '(') + "1)"), 351);
  EXPECT_NE(Detail().find("Syntax error"), std::string::npos);
}

TEST_F(ExprParser, AnErrorExcerptStartsAtTheTextWhileTheErrorIsEarly) {
  OpenNotes();
  EXPECT_EQ(CompileError("1 + 'a' .AND. .T."), 351);
  // The mismatch is found on reading the token after 'a'.
  EXPECT_EQ(Detail(), Message("PARSER:Type mismatch in expression \"+\"", "[1 + 'a' .AND. .T.]"));
  const std::string longText = "NAME = 'x' .AND. " + std::string(60, ' ') + "HANDLE = 1 ";
  EXPECT_EQ(CompileError("1 + 'a' .OR. " + longText), 351);
  EXPECT_EQ(Detail(), Message("PARSER:Type mismatch in expression \"+\"",
                              "[" + ("1 + 'a' .OR. " + longText).substr(0, 51) + "...]"));
}

TEST_F(ExprParser, ALateErrorExcerptStarts51CharactersBeforeIt) {
  OpenNotes();
  const std::string head = "NAME = 'x' .AND. HANDLE = 42 .AND. SHOWING = 'Y' .AND. ";
  ASSERT_GT(head.size(), 50u);
  const std::string text = head + "HANDLE + 'bad' = 1 .AND. .T.";
  // The mismatch of + arises once the token after 'bad' (=) has been read.
  const std::size_t position = text.find("= 1") + 1;
  EXPECT_EQ(CompileError(text), 351);
  EXPECT_EQ(Detail(), Message("PARSER:Type mismatch in expression \"+\"",
                              "[..." + text.substr(position - 51, 51) + "...]"));
  // At the very end no "..." closes the excerpt.
  const std::string tail = head + "HANDLE + 'bad'";
  EXPECT_EQ(CompileError(tail), 351);
  EXPECT_EQ(Detail(), Message("PARSER:Type mismatch in expression \"+\"",
                              "[..." + tail.substr(tail.size() - 51) + "]"));
}

TEST_F(ExprParser, TextsLongerThan255CharactersAreRejected) {
  OpenNotes();
  const std::string sum = "1" + std::string(240, ' ') + "+ 1";
  EXPECT_EQ(Number(sum + std::string(255 - sum.size(), ' ')), 2);
  EXPECT_EQ(CompileError(sum + std::string(256 - sum.size(), ' ')), 351);
  EXPECT_EQ(CompileError("NAME = 'x'" + std::string(300, ' ') + ".AND. .F."), 351);
}

TEST_F(ExprParser, CompilationClearsOnlyAnEarlierExpressionError) {
  OpenNotes();
  SetEngineErrorCode(351);
  CompiledExpr* first = AssignExpr("1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(EngineErrorCode(), 0);
  ReleaseExpr(first);
  SetEngineErrorCode(220);
  CompiledExpr* kept = AssignExpr("2");
  EXPECT_EQ(EngineErrorCode(), 220);
  ReleaseExpr(kept);
}

}  // namespace
}  // namespace pw::testing
