#include "engine/table/visibility.h"

#include "engine/table/engine_hooks.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// A filter naming another work area's fields may leave that work area
// current; the one that was current is made current again.
bool PassesFilter(WorkArea& area) {
  ExprHooks* expr = RegisteredHooks().expr;
  if (area.filter == nullptr || expr == nullptr) return true;
  const int current = CurrentWorkArea();
  const bool passes = expr->FilterPasses(area);
  if (CurrentWorkArea() != current) Select(current);
  return passes;
}

}  // namespace

bool IsVisible(WorkArea& area) {
  if (area.hideDeleted && !area.raw.empty() && area.raw[0] == '*') return false;
  return PassesFilter(area);
}

bool FilterPasses() {
  return PassesFilter(CurrentArea());
}

}  // namespace pw
