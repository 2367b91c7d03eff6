// Field values of every type from real tables, blank values of an empty
// table, and memo texts read through the memo unit.
#include <string>

#include "engine/expr/expression.h"
#include "engine/memo/add_memo.h"
#include "engine/table/record_io.h"
#include "engine/table/work_areas.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprFields = ExprTest;

TEST_F(ExprFields, FieldsGiveTheirStoredValues) {
  OpenNotes();
  EXPECT_EQ(Text("NOTEBOARD"), "Shopping list" + std::string(37, ' '));
  EXPECT_EQ(Number("HANDLE"), 42);
  EXPECT_EQ(Number("AMOUNT"), 12.5);
  EXPECT_TRUE(Logical("FLAG"));
  EXPECT_EQ(DateValue("DATECREATE"), 2460377);
}

TEST_F(ExprFields, LogicalFieldsAcceptYAndTInEitherCase) {
  OpenNotes();
  for (const char* truth : {"Y", "y", "T", "t"}) {
    PokeField("FLAG", truth);
    EXPECT_TRUE(Logical("FLAG")) << truth;
  }
  for (const char* falsehood : {"N", "F", "?", " "}) {
    PokeField("FLAG", falsehood);
    EXPECT_FALSE(Logical("FLAG")) << falsehood;
  }
}

TEST_F(ExprFields, NumericFieldsReadSignsAndBlanks) {
  OpenTable("numbers", {Field("N", 'N', 8, 2), Field("F", 'F', 6, 1)}, {{"-3.25", "7.5"}});
  EXPECT_EQ(Number("N"), -3.25);
  EXPECT_EQ(Number("F"), 7.5);
  EXPECT_EQ(Number("N + F"), 4.25);
  PokeField("N", "        ");
  EXPECT_EQ(Number("N"), 0);
}

TEST_F(ExprFields, InvalidStoredDatesAreBlank) {
  OpenNotes();
  for (const char* stored : {"        ", "20240230", "2024013x", "00000101", "20241301"}) {
    PokeField("DATE", stored);
    EXPECT_EQ(DateValue("DATE"), 1e100) << stored;
  }
  PokeField("DATE", "20240229");
  EXPECT_EQ(Text("DTOS(DATE)"), "20240229");
}

TEST_F(ExprFields, AnEmptyTableGivesBlankValues) {
  OpenTable("empty", NoteFields(), {});
  EXPECT_EQ(Text("NAME"), std::string(20, ' '));
  EXPECT_EQ(Number("HANDLE"), 0);
  EXPECT_FALSE(Logical("FLAG"));
  EXPECT_EQ(DateValue("DATE"), 1e100);
}

TEST_F(ExprFields, NoTableInUseMeansNoFieldsAndRecordZero) {
  EXPECT_EQ(Number("RECNO()"), 0);
  EXPECT_FALSE(Logical("DELETED()"));
  EXPECT_EQ(CompileError("NAME"), 351);
}

TEST_F(ExprFields, MemoFieldsJoinTheirLinesCutToTheWorkingSize) {
  OpenTable("memos", {Field("NAME", 'C', 5), Field("NOTE", 'M', 10)}, {});
  const std::string block = std::to_string(AddMemo("first line\r\nsecond line"));
  AddRecord({"one", block});
  const std::string longBlock = std::to_string(AddMemo(std::string(300, 'x')));
  AddRecord({"two", longBlock});
  AddRecord({"three", ""});
  CompiledExpr* memo = Compile("NOTE");
  ASSERT_NE(memo, nullptr);
  EXPECT_STREQ(static_cast<const char*>(Evaluate(memo)), "");  // record 3: no entry
  ASSERT_EQ(ReadRecord(CurrentArea(), 1), 0);
  EXPECT_STREQ(static_cast<const char*>(Evaluate(memo)), "first linesecond line");
  ASSERT_EQ(ReadRecord(CurrentArea(), 2), 0);
  EXPECT_EQ(std::string(static_cast<const char*>(Evaluate(memo))), std::string(255, 'x'));
}

}  // namespace
}  // namespace pw::testing
