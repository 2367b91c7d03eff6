#include "engine/table/go_top.h"

#include "common/error_state.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"

namespace pw {

void GoTop() {
  ClearEngineError();
  if (CheckInUse("GoTop")) return;
  WorkArea& area = CurrentArea();
  // As GoBottom: a shared table opened empty would otherwise never reach
  // the records another program appended since.
  if (!RefreshCountReported(area, "GoTop") || area.recordCount == 0) return;
  IndexHooks* index = ActiveIndex(area);
  long n = 1;
  if (index != nullptr) {
    index->IndexNavigate(area, true);
    n = index->IndexFirst(area);
    if (n == area.recordCount + 1L) {
      SetEndOfFileState(area);
      index->IndexNavigate(area, false);
      return;
    }
  }
  bool failed = ReadRecord(area, static_cast<std::int32_t>(n)) != 0;
  while (!failed && !area.eof && !IsVisible(area) && EngineErrorCode() == 0) {
    if (index != nullptr) {
      n = index->IndexNext(area);
      if (index->IndexAtEnd(area)) n = area.recordCount + 1L;
    } else {
      ++n;
    }
    if (n > area.recordCount) {
      SetEndOfFileState(area);
      if (index != nullptr) index->IndexPositionLost(area);
    } else {
      failed = ReadRecord(area, static_cast<std::int32_t>(n)) != 0;
    }
  }
  if (index != nullptr) {
    // The index reading prepared above is released on a failed read as well.
    if (!failed) index->IndexSync(area);
    index->IndexNavigate(area, false);
  }
}

}  // namespace pw
