#include "engine/expr/expr_hooks.h"

#include "engine/expr/expression.h"
#include "engine/table/work_area.h"

namespace pw {
namespace {

CompiledExpr* ExprOf(const UnitState* state) {
  const auto* handle = dynamic_cast<const ExprHandle*>(state);
  return handle == nullptr ? nullptr : handle->expr();
}

class ExprUnit : public ExprHooks {
 public:
  // The record passes when the first byte of the filter's result is not 0
  // (for a condition: when it is true).
  bool FilterPasses(WorkArea& area) override {
    CompiledExpr* filter = ExprOf(area.filter.get());
    if (filter == nullptr) return true;
    const void* result = EvaluateInArea(filter, area);
    return *static_cast<const unsigned char*>(result) != 0;
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
  static ExprUnit unit;
  RegisteredHooks().expr = &unit;
}

}  // namespace pw
