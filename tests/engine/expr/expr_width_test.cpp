// Result width, decimals and working-pool size of compiled expressions.
#include <string>

#include "engine/expr/expression.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprWidth = ExprTest;

struct Shape {
  ValueType type;
  unsigned width;
  unsigned decimals;
};

class ExprWidthOf : public ExprTest {
 protected:
  Shape Of(const std::string& text) {
    CompiledExpr* expr = Compile(text);
    if (expr == nullptr) return {ValueType::Memo, 9999, 99};
    return {expr->type, expr->width, expr->decimals};
  }
};

#define EXPECT_SHAPE(text, t, w, d)              \
  do {                                           \
    const Shape shape = Of(text);                \
    EXPECT_EQ(shape.type, ValueType::t) << text; \
    EXPECT_EQ(shape.width, w##u) << text;        \
    EXPECT_EQ(shape.decimals, d##u) << text;     \
  } while (false)

TEST_F(ExprWidthOf, NoteTableKeys) {
  OpenNotes();
  EXPECT_SHAPE("upper(Noteboard)", Character, 50, 0);
  EXPECT_SHAPE("handle", Number, 10, 0);
  EXPECT_SHAPE("showing", Character, 1, 0);
  EXPECT_SHAPE("upper(alarmact)", Character, 1, 0);
}

TEST_F(ExprWidthOf, CharacterWidthIsKnownOnlyWhenThePoolIsOneField) {
  OpenNotes();
  EXPECT_SHAPE("SUBSTR(NAME, 1, 5)", Character, 0, 0);  // the numbers reset the width
  EXPECT_SHAPE("NAME + SHOWING", Character, 0, 0);
  EXPECT_SHAPE("'abc'", Character, 0, 0);
  EXPECT_SHAPE("TRIM(NAME)", Character, 20, 0);
  // DTOS claims 9 bytes of pool, the date field leaves width 8: 9 = 8 + 1.
  EXPECT_SHAPE("DTOS(DATECREATE)", Character, 8, 0);
}

TEST_F(ExprWidthOf, NumbersTakeDecimalsFromTheFirstNumericField) {
  OpenNotes();
  EXPECT_SHAPE("AMOUNT", Number, 8, 2);
  EXPECT_SHAPE("HANDLE + AMOUNT", Number, 8, 2);  // a second numeric field: 2
  EXPECT_SHAPE("AMOUNT + HANDLE", Number, 10, 2);
  EXPECT_SHAPE("1 + 2", Number, 13, 2);  // no field: 2 + 11
  EXPECT_SHAPE("LEN(NAME)", Number, 20, 2);
  EXPECT_SHAPE("HANDLE * 2", Number, 13, 2);
}

TEST_F(ExprWidthOf, OtherTypesHaveFixedWidths) {
  OpenNotes();
  EXPECT_SHAPE("DATECREATE", Date, 8, 0);
  EXPECT_SHAPE("DATE() + 1", Date, 8, 0);
  EXPECT_SHAPE("FLAG", Logical, 1, 0);
  EXPECT_SHAPE("ALARMACT == 'Y'", Logical, 1, 0);
}

TEST_F(ExprWidth, ThePoolHoldsFieldsLiteralsAndKeywordWidths) {
  OpenNotes();
  EXPECT_EQ(Compile("UPPER(NOTEBOARD)")->poolSize, 51u);
  EXPECT_EQ(Compile("NAME + 'xy'")->poolSize, 21u + 3u);
  EXPECT_EQ(Compile("STR(HANDLE)")->poolSize, 256u);
  EXPECT_EQ(Compile("DTOS(DATE) + DTOC(DATE)")->poolSize, 9u + 11u);
  EXPECT_EQ(Compile("CDOW(DATE) + CMONTH(DATE) + CHR(65)")->poolSize, 15u + 15u + 2u);
  EXPECT_EQ(Compile("SOUNDEX(NAME)")->poolSize, 15u + 21u);
  EXPECT_EQ(Compile("HANDLE")->poolSize, 0u);
}

TEST_F(ExprWidth, AMemoFieldHasTheMemoWorkingSize) {
  OpenTable("memos", {Field("NOTE", 'M', 10)}, {{""}});
  CompiledExpr* memo = Compile("NOTE");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->width, 256u);
  EXPECT_EQ(memo->poolSize, 256u);
}

}  // namespace
}  // namespace pw::testing
