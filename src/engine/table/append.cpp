#include "engine/table/append.h"

#include "common/error_state.h"
#include "engine/table/edit_lock_rule.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/work_areas.h"
#include "platform/os_error.h"

namespace pw {

bool Append() {
  ClearEngineError();
  if (CheckInUse("Append")) return false;
  WorkArea& area = CurrentArea();
  if (!MayAppend()) {
    SetError(platform::kAccessDenied,
             "File must be locked to append: " + area.fileName + " [APPEND]");
    return false;
  }
  // Another process may have appended since: the new record goes after theirs.
  if (!RefreshCountReported(area, "APPEND")) return false;
  IndexHooks* index = ActiveIndex(area);
  if (index != nullptr) index->IndexUpdate(area, true);
  const bool written = WriteRecord(area, area.recordCount + 1) == 0;
  if (index != nullptr) {
    if (written) index->IndexAddKeys(area);
    index->IndexUpdate(area, false);
  }
  if (!written) return false;
  area.bof = false;
  area.eof = false;
  return EngineErrorCode() == 0;
}

}  // namespace pw
