#include "engine/index/reopen_index.h"

#include <string>

#include "engine/index/index_order.h"
#include "engine/index/index_state.h"
#include "engine/index/set_index_to.h"

namespace pw {

bool ReopenIndex(WorkArea& area) {
  const IndexState* state = AreaIndex(area);
  if (state == nullptr) return true;
  const std::string fileName = state->fileName;
  const std::string controlling = state->Controlling() != nullptr ? state->Controlling()->name : "";
  const bool naturalOrder = state->naturalOrder;
  if (!CloseIndex(area) || !SetIndexTo(fileName)) return false;
  if (!controlling.empty() && !SetOrderToTag(controlling)) return false;
  return !naturalOrder || Set_Order_To(0);
}

}  // namespace pw
