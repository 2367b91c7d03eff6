#include "engine/index/reopen_index.h"

#include "engine/index/index_order.h"
#include "engine/index/set_index_to.h"

namespace pw {

IndexSelection SelectionOf(const IndexState& state) {
  const IndexTag* controlling = state.Controlling();
  return {state.fileName, controlling != nullptr ? controlling->name : "", state.naturalOrder};
}

bool OpenIndexAgain(const IndexSelection& selection) {
  if (!SetIndexTo(selection.fileName)) return false;
  if (!selection.controlling.empty() && !SetOrderToTag(selection.controlling)) return false;
  return !selection.naturalOrder || Set_Order_To(0);
}

bool ReopenIndex(WorkArea& area) {
  const IndexState* state = AreaIndex(area);
  if (state == nullptr) return true;
  const IndexSelection selection = SelectionOf(*state);
  return CloseIndex(area) && OpenIndexAgain(selection);
}

}  // namespace pw
