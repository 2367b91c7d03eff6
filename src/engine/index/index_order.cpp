#include "engine/index/index_order.h"

#include <utility>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/index_navigation.h"
#include "engine/index/semaphore_scope.h"
#include "engine/index/sync_index.h"
#include "engine/table/record_io.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

bool ReportNotOpen(const WorkArea& area, const std::string& operation) {
  SetError(kIndexNotOpen, "Index not open. (DBF=" + area.fileName + ") [" + operation + "]");
  return false;
}

bool ReportInvalidOrder(const WorkArea& area, const std::string& operation) {
  SetError(kInvalidParameter, "Invalid Index Order Specified: SET_ORDER_TO. [" + operation +
                                  "] (DBF=" + area.fileName + ")");
  return false;
}

// Slot 1 gives its tag back to the tag's own slot, then takes tag n.
void MakeControlling(IndexState& state, int n) {
  const int former = state.Controlling()->number;
  if (former == n) return;
  std::swap(state.tagSlots[0], state.tagSlots[static_cast<std::size_t>(former) - 1]);
  std::swap(state.tagSlots[0], state.tagSlots[static_cast<std::size_t>(n) - 1]);
}

// Positions the new controlling tag on the current record. The other tags
// are left where they stand: whatever uses one next positions it itself.
bool TakeOrder(WorkArea& area, IndexState& state, int n) {
  if (!CheckForeignChanges(area, state)) return false;
  if (area.recordNumber >= 1 && area.recordNumber <= area.recordCount) {
    const bool bof = area.bof;
    const bool eof = area.eof;
    if (ReadRecord(area, area.recordNumber) != 0) return false;
    area.bof = bof;
    area.eof = eof;
  }
  const bool formerAtEnd = state.Controlling()->eof;
  MakeControlling(state, n);
  if (!ReloadCurrentKeys(area, state)) return false;
  if (formerAtEnd) state.Controlling()->eof = true;
  return true;
}

bool SelectOrder(int n, const std::string& operation) {
  WorkArea& area = CurrentArea();
  IndexState* state = AreaIndex(area);
  if (state == nullptr) return ReportNotOpen(area, operation);
  if (n < 0 || n > state->TagCount()) return ReportInvalidOrder(area, operation);
  if (n == 0) {
    state->naturalOrder = true;
    return true;
  }
  state->naturalOrder = false;
  const SemaphoreScope reading(*state, SemaphoreScope::Use::kRead);
  return TakeOrder(area, *state, n);
}

}  // namespace

bool Set_Order_To(int n) {
  ClearEngineError();
  if (CheckInUse("Set_Order_To")) return false;
  return SelectOrder(n, "Set_Order_To(" + std::to_string(n) + ")");
}

bool SetOrderToTag(const std::string& name) {
  ClearEngineError();
  if (CheckInUse("SetOrderToTag")) return false;
  WorkArea& area = CurrentArea();
  const std::string operation = "SetOrderToTag(" + name + ")";
  IndexState* state = AreaIndex(area);
  if (state == nullptr) return ReportNotOpen(area, operation);
  if (name.empty()) return SelectOrder(0, operation);
  const int n = state->header.FindTag(name);
  if (n == 0) return ReportInvalidOrder(area, operation);
  return SelectOrder(n, operation);
}

int CurrentOrder() {
  IndexState* state = AreaIndex(CurrentArea());
  if (state == nullptr || state->naturalOrder || state->Controlling() == nullptr) return 0;
  return state->Controlling()->number;
}

}  // namespace pw
