// Registration of the expression unit with the table engine: installs the
// hooks through which filters, index keys and FOR conditions are compiled
// and evaluated, and so marks the parser present.
#pragma once

#include "engine/expr/compiled_expr.h"
#include "engine/table/engine_hooks.h"

namespace pw {

// A compiled expression held by the table or index engine; destroying it
// releases the expression.
class ExprHandle : public UnitState {
 public:
  explicit ExprHandle(CompiledExpr* expr) : expr_(expr) {}
  ~ExprHandle() override;
  ExprHandle(const ExprHandle&) = delete;
  ExprHandle& operator=(const ExprHandle&) = delete;

  CompiledExpr* expr() const { return expr_; }

 private:
  CompiledExpr* expr_;
};

void RegisterExprUnit();

}  // namespace pw
