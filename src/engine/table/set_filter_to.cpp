#include "engine/table/set_filter_to.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/text_routines.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/work_areas.h"

namespace pw {

bool Set_Filter_To(const std::string& expression) {
  ClearEngineError();
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr) {
    SetError(kInvalidParameter, "VORerave unit not linked in. [Set_Filter_To]");
    return false;
  }
  if (CheckInUse("Set_Filter_To")) return false;
  WorkArea& area = CurrentArea();
  area.filter.reset();
  if (TrimTrailing(expression).empty()) return true;
  area.filter = expr->AssignExpr(expression);
  return area.filter != nullptr;
}

}  // namespace pw
