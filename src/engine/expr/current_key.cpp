// The key maker of the index engine: the key expression it has made current.
#include "engine/expr/expression.h"

namespace pw {
namespace {

CompiledExpr*& CurrentKey() {
  static CompiledExpr* current = nullptr;
  return current;
}

}  // namespace

void SetCurrentKeyExpr(CompiledExpr* expr) {
  CurrentKey() = expr;
}

CompiledExpr* CurrentKeyExpr() {
  return CurrentKey();
}

const void* EvaluateCurrentKey() {
  return Evaluate(CurrentKey());
}

}  // namespace pw
