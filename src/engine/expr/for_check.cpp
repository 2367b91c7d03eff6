// The FOR check: whether a text is a valid condition (type L), reporting
// nothing and leaving no error behind.
#include "common/error_state.h"
#include "common/text_routines.h"
#include "engine/expr/expression.h"

namespace pw {

int ForCheck(std::string_view text) {
  if (TrimTrailing(text).empty()) return 359;
  int result = 0;
  {
    AutoDispatchOff quiet;
    const int memoSize = SetMemoWorkingSize(0);
    CompiledExpr* expr = AssignExpr(text);
    if (expr == nullptr) {
      result = EngineErrorCode();
    } else {
      result = expr->type == ValueType::Logical ? 0 : 362;
      ReleaseExpr(expr);
    }
    SetMemoWorkingSize(memoSize);
  }
  ClearEngineError();
  return result;
}

}  // namespace pw
