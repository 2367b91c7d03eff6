// The text functions: results, boundaries of counts and positions, and the
// in-place functions on field values.
#include <string>

#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprTextFunctions = ExprTest;

TEST_F(ExprTextFunctions, AscAtChrAndLen) {
  OpenNotes();
  EXPECT_EQ(Number("ASC('A')"), 65);
  EXPECT_EQ(Number("ASC('\xe9')"), 0xE9);
  EXPECT_EQ(Number("ASC('')"), 0);
  EXPECT_EQ(Number("AT('b', 'abcb')"), 2);
  EXPECT_EQ(Number("AT('x', 'abc')"), 0);
  EXPECT_EQ(Number("AT('', 'abc')"), 0);
  EXPECT_EQ(Number("AT('a', '')"), 0);
  EXPECT_EQ(Text("CHR(65)"), "A");
  EXPECT_EQ(Text("CHR(321)"), "A");  // low 8 bits
  EXPECT_EQ(Text("CHR(65.9)"), "A");
  EXPECT_EQ(Text("CHR(0)"), "");
  EXPECT_EQ(Number("LEN(NAME)"), 20);
  EXPECT_EQ(Number("LEN('ab  ')"), 4);
  EXPECT_EQ(Number("LEN('')"), 0);
}

TEST_F(ExprTextFunctions, IifChoosesAfterEvaluatingBoth) {
  OpenNotes();
  EXPECT_EQ(Text("IIF(FLAG, 'yes', 'no')"), "yes");
  EXPECT_EQ(Text("IIF(.NOT. FLAG, 'yes', 'no')"), "no");
  EXPECT_EQ(Text("IIF(HANDLE > 1, NAME, SHOWING)"), "abc" + std::string(17, ' '));
  EXPECT_EQ(Text("IIF(HANDLE > 100, NAME, SHOWING) + '!'"), "Y!");
}

TEST_F(ExprTextFunctions, LeftAndRightCountFromTheirEnd) {
  OpenNotes();
  EXPECT_EQ(Text("LEFT('hello', 2)"), "he");
  EXPECT_EQ(Text("LEFT('hello', 9)"), "hello");
  EXPECT_EQ(Text("LEFT('hello', 0)"), "");
  EXPECT_EQ(Text("LEFT('hello', -1)"), "");
  EXPECT_EQ(Text("LEFT(NAME, 4) + '|'"), "abc |");
  EXPECT_EQ(Text("RIGHT('hello', 2)"), "lo");
  EXPECT_EQ(Text("RIGHT('hello', 9)"), "hello");
  EXPECT_EQ(Text("RIGHT('hello', -1)"), "hello");
  EXPECT_EQ(Text("RIGHT('hello', 0)"), "");
  EXPECT_EQ(Text("RIGHT(NAME, 2) + '|'"), "  |");
}

TEST_F(ExprTextFunctions, CaseMappingFollowsTheAnsiCodePage) {
  OpenNotes();
  EXPECT_EQ(Text("UPPER(NOTEBOARD)"), "SHOPPING LIST" + std::string(37, ' '));
  EXPECT_EQ(Text("UPPER('\xe9t\xe9 1')"), "\xc9T\xc9 1");
  EXPECT_EQ(Text("LOWER('\xc9T\xc9 1')"), "\xe9t\xe9 1");
  EXPECT_EQ(Text("UPPER('\xdf')"), "\xdf");  // sharp s has no capital
}

TEST_F(ExprTextFunctions, TrimsRemoveSpacesOnly) {
  OpenNotes();
  EXPECT_EQ(Text("LTRIM('  a b ')"), "a b ");
  EXPECT_EQ(Text("RTRIM('  a b  ')"), "  a b");
  EXPECT_EQ(Text("TRIM(NAME) + '|'"), "abc|");
  EXPECT_EQ(Text("TRIM('a\t')"), "a\t");
  EXPECT_EQ(Text("LTRIM('   ')"), "");
  EXPECT_EQ(Text("RTRIM('   ') + 'x'"), "x");
}

TEST_F(ExprTextFunctions, ReplicateAndSpace) {
  OpenNotes();
  EXPECT_EQ(Text("REPLICATE('ab', 3)"), "ababab");
  EXPECT_EQ(Text("REPLICATE('ab', 0)"), "");
  EXPECT_EQ(Text("REPLICATE('ab', -2)"), "");
  EXPECT_EQ(Text("REPLICATE('', 5)"), "");
  EXPECT_EQ(Text("SPACE(3)"), "   ");
  EXPECT_EQ(Text("SPACE(-3)"), "");
}

TEST_F(ExprTextFunctions, SoundexCodes) {
  OpenNotes();
  EXPECT_EQ(Text("SOUNDEX('Robert')"), "R163");
  EXPECT_EQ(Text("SOUNDEX('Tymczak')"), "T522");
  EXPECT_EQ(Text("SOUNDEX('robert')"), "R163");
  EXPECT_EQ(Text("SOUNDEX('Pfister')"), "P236");  // P and f share digit 1
  EXPECT_EQ(Text("SOUNDEX('Lee')"), "L000");
  EXPECT_EQ(Text("SOUNDEX('')"), "0000");
  EXPECT_EQ(Text("SOUNDEX('1abc')"), "1120");
  EXPECT_EQ(Text("SOUNDEX('Ash-craft')"), "A226");
}

TEST_F(ExprTextFunctions, StuffDeletesThenInserts) {
  OpenNotes();
  EXPECT_EQ(Text("STUFF('abcdef', 2, 3, 'XY')"), "aXYef");
  EXPECT_EQ(Text("STUFF('abcdef', 2, 0, 'XY')"), "aXYbcdef");
  EXPECT_EQ(Text("STUFF('abcdef', 5, 9, 'XY')"), "abcdXY");
  EXPECT_EQ(Text("STUFF('abcdef', 0, 3, 'XY')"), "XYabcdef");
  EXPECT_EQ(Text("STUFF('abcdef', 9, 3, 'XY')"), "abcdefXY");
  EXPECT_EQ(Text("STUFF('abcdef', 2, -1, '')"), "abcdef");
}

TEST_F(ExprTextFunctions, SubstrBoundaries) {
  OpenNotes();
  EXPECT_EQ(Text("SUBSTR('HELLO', 0, 2)"), "HE");
  EXPECT_EQ(Text("SUBSTR('HELLO', 9, 2)"), "");
  EXPECT_EQ(Text("SUBSTR('HELLO', 2, 3)"), "ELL");
  EXPECT_EQ(Text("SUBSTR('HELLO', 4, 9)"), "LO");
  EXPECT_EQ(Text("SUBSTR('HELLO', 2, -1)"), "");
  EXPECT_EQ(Text("SUBSTR('HELLO', 2, 0)"), "");
  EXPECT_EQ(Text("SUBSTR(NOTEBOARD, 10, 4)"), "list");
}

}  // namespace
}  // namespace pw::testing
