#include "expr_test_support.h"

#include "common/error_state.h"
#include "engine/expr/expression.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/append.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_image.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace pw::testing {

std::vector<FieldDef> NoteFields() {
  return {Field("NOTEBOARD", 'C', 50), Field("HANDLE", 'N', 10),    Field("SHOWING", 'C', 1),
          Field("ALARMACT", 'C', 1),   Field("DATECREATE", 'D', 8), Field("NAME", 'C', 20),
          Field("AMOUNT", 'N', 8, 2),  Field("FLAG", 'L', 1),       Field("DATE", 'D', 8)};
}

std::vector<std::string> NoteRecord() {
  return {"Shopping list", "42", "Y", "Y", "20240307", "abc", "12.50", "T", "20000101"};
}

void ExprTest::SetUp() {
  TableTest::SetUp();
  savedMemoHooks_ = RegisteredHooks().memo;
  RegisterMemoUnit();
  savedMemoSize_ = MemoWorkingSize();
}

void ExprTest::TearDown() {
  for (CompiledExpr*& expr : compiled_) ReleaseExpr(expr);
  SetMemoWorkingSize(savedMemoSize_);
  TableTest::TearDown();
  RegisteredHooks().memo = savedMemoHooks_;
}

void ExprTest::OpenTable(const std::string& name, const std::vector<FieldDef>& fields,
                         const std::vector<std::vector<std::string>>& records,
                         const std::string& alias) {
  const std::string path = Create(name, fields);
  const std::string options = alias.empty() ? " EXCLUSIVE" : " EXCLUSIVE ALIAS " + alias;
  ASSERT_TRUE(Use(path + options)) << Detail();
  for (const auto& record : records) AddRecord(record);
}

void ExprTest::AddRecord(const std::vector<std::string>& values) {
  WorkArea& area = CurrentArea();
  area.raw.assign(area.recordLength, ' ');
  for (std::size_t i = 0; i < values.size() && i < area.fields.size(); ++i) {
    const FieldDef& field = area.fields[i];
    const bool right = field.type == 'N' || field.type == 'F' || field.type == 'M';
    const std::string& value = values[i];
    const std::size_t shown = std::min<std::size_t>(value.size(), field.length);
    const std::size_t at = field.offset + (right ? field.length - shown : 0);
    std::copy_n(value.begin(), shown, area.raw.begin() + at);
  }
  RawToImage(area);
  ASSERT_TRUE(Append()) << Detail();
}

void ExprTest::PokeField(const std::string& name, const std::string& stored) {
  WorkArea& area = CurrentArea();
  for (const FieldDef& field : area.fields) {
    if (field.name != name) continue;
    std::string value = stored;
    value.resize(field.length, ' ');
    std::copy(value.begin(), value.end(), area.raw.begin() + field.offset);
    return;
  }
  ADD_FAILURE() << "no field " << name;
}

CompiledExpr* ExprTest::Compile(const std::string& text) {
  CompiledExpr* expr = AssignExpr(text);
  EXPECT_NE(expr, nullptr) << text << ": " << Detail();
  if (expr != nullptr) compiled_.push_back(expr);
  return expr;
}

namespace {

template <typename T>
T EvaluateAs(CompiledExpr* expr) {
  return *static_cast<const T*>(Evaluate(expr));
}

}  // namespace

std::string ExprTest::Text(const std::string& text) {
  CompiledExpr* expr = Compile(text);
  if (expr == nullptr) return "<no expression>";
  EXPECT_EQ(expr->type, ValueType::Character) << text;
  return static_cast<const char*>(Evaluate(expr));
}

double ExprTest::Number(const std::string& text) {
  CompiledExpr* expr = Compile(text);
  if (expr == nullptr) return -99999;
  EXPECT_EQ(expr->type, ValueType::Number) << text;
  return EvaluateAs<double>(expr);
}

double ExprTest::DateValue(const std::string& text) {
  CompiledExpr* expr = Compile(text);
  if (expr == nullptr) return -99999;
  EXPECT_EQ(expr->type, ValueType::Date) << text;
  return EvaluateAs<double>(expr);
}

bool ExprTest::Logical(const std::string& text) {
  CompiledExpr* expr = Compile(text);
  if (expr == nullptr) return false;
  EXPECT_EQ(expr->type, ValueType::Logical) << text;
  return EvaluateAs<std::int32_t>(expr) != 0;
}

int ExprTest::CompileError(const std::string& text) {
  CompiledExpr* expr = AssignExpr(text);
  if (expr == nullptr) return EngineErrorCode();
  compiled_.push_back(expr);
  return 0;
}

}  // namespace pw::testing
