#include "engine/expr/expr_hooks.h"

#include <cstdint>

#include "engine/expr/expression.h"
#include "engine/table/work_area.h"

namespace pw {
namespace {

CompiledExpr* ExprOf(const UnitState* state) {
  const auto* handle = dynamic_cast<const ExprHandle*>(state);
  return handle == nullptr ? nullptr : handle->expr();
}

// Whether a filter result shows the record. A condition shows it when true;
// a filter of another type when its value is true-like: a number other than
// 0, a date other than the blank date, a text that is not empty (a text of
// blanks is not empty).
bool IsTrueLike(const CompiledExpr& expr, const void* result) {
  switch (expr.type) {
    case ValueType::Logical:
      return *static_cast<const std::int32_t*>(result) != 0;
    case ValueType::Number:
      return *static_cast<const double*>(result) != 0;
    case ValueType::Date:
      return *static_cast<const double*>(result) != kBlankDate;
    case ValueType::Character:
    case ValueType::Memo:
      break;
  }
  return *static_cast<const char*>(result) != '\0';
}

class ExprUnit : public ExprHooks {
 public:
  bool FilterPasses(WorkArea& area) override {
    CompiledExpr* filter = ExprOf(area.filter.get());
    if (filter == nullptr) return true;
    return IsTrueLike(*filter, EvaluateInArea(filter, area));
  }

  std::unique_ptr<UnitState> AssignExpr(const std::string& text) override {
    CompiledExpr* expr = pw::AssignExpr(text);
    if (expr == nullptr) return nullptr;
    return std::make_unique<ExprHandle>(expr);
  }

  const void* Evaluate(UnitState& state) override { return pw::Evaluate(ExprOf(&state)); }

  ExprShape Shape(const UnitState& state) override {
    const CompiledExpr* expr = ExprOf(&state);
    if (expr == nullptr) return {};
    return {static_cast<char>(expr->type), expr->width, expr->decimals, expr->source};
  }

  int ForCheck(const std::string& text) override { return pw::ForCheck(text); }

  void SetCurrentKey(UnitState* state) override { SetCurrentKeyExpr(ExprOf(state)); }

  const void* EvaluateCurrentKey() override { return pw::EvaluateCurrentKey(); }
};

}  // namespace

ExprHandle::~ExprHandle() {
  ReleaseExpr(expr_);
}

void RegisterExprUnit() {
  // Never destroyed: the exit handler that closes the tables still open
  // calls the unit, also when it was registered after that handler.
  static ExprUnit& unit = *new ExprUnit;
  RegisteredHooks().expr = &unit;
}

}  // namespace pw
