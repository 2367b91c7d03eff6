#include "engine/table/go_bottom.h"

#include "common/error_state.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"

namespace pw {

void GoBottom() {
  ClearEngineError();
  if (CheckInUse("GoBottom")) return;
  WorkArea& area = CurrentArea();
  if (!RefreshCountReported(area, "GoBottom") || area.recordCount == 0) return;
  IndexHooks* index = ActiveIndex(area);
  long n = area.recordCount;
  if (index != nullptr) {
    index->IndexNavigate(area, true);
    n = index->IndexLast(area);
    if (n == area.recordCount + 1L) {
      SetEndOfFileState(area);
      index->IndexNavigate(area, false);
      return;
    }
  }
  bool failed = ReadRecord(area, static_cast<std::int32_t>(n)) != 0;
  bool stop = false;
  while (!failed && !stop && !IsVisible(area)) {
    if (index != nullptr) {
      n = index->IndexPrev(area);
      stop = index->IndexAtStart(area);
    } else {
      stop = area.bof;
      --n;
    }
    if (n < 1 || stop) {
      stop = true;
      SetEndOfFileState(area);
      if (index != nullptr) {
        index->IndexPositionLost(area);
        index->IndexSetStart(area);
        index->IndexSetEnd(area);
      }
    } else {
      failed = ReadRecord(area, static_cast<std::int32_t>(n)) != 0;
      stop = index != nullptr ? index->IndexAtStart(area) : area.bof;
    }
  }
  if (index != nullptr) {
    if (!failed) index->IndexSync(area);
    index->IndexNavigate(area, false);
  }
}

}  // namespace pw
