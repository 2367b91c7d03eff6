#include "engine/table/visibility.h"

#include "engine/table/engine_hooks.h"

namespace pw {

bool IsVisible(WorkArea& area) {
  if (area.hideDeleted && !area.raw.empty() && area.raw[0] == '*') return false;
  ExprHooks* expr = RegisteredHooks().expr;
  return area.filter == nullptr || expr == nullptr || expr->FilterPasses(area);
}

}  // namespace pw
