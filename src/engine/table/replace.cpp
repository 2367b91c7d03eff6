#include "engine/table/replace.h"

#include <algorithm>
#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/edit_lock_rule.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_io.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// Lets the index unit note the keys of the record as it is on disk: the new
// values wait in the swap buffer while the image holds the old record.
bool NoteOldKeys(WorkArea& area, IndexHooks& index) {
  if (area.swap.size() != area.imageSize) {
    SetError(kInternalError, area.fileName + " Swap-buffer NIL. [REPLACE]");
    return false;
  }
  index.IndexUpdate(area, true);
  std::copy_n(area.image, area.imageSize, area.swap.begin());
  if (ReadRecord(area, area.recordNumber) != 0) {
    index.IndexUpdate(area, false);
    return false;
  }
  index.IndexNoteOldKeys(area);
  std::copy(area.swap.begin(), area.swap.end(), area.image);
  return true;
}

}  // namespace

bool Replace() {
  ClearEngineError();
  if (CheckInUse("Replace")) return false;
  WorkArea& area = CurrentArea();
  const std::string table = "Database \"" + area.fileName + "\"";
  if (area.recordNumber < 1) {
    SetError(kOutOfRange, table + " is empty. [REPLACE]");
    return false;
  }
  if (area.recordNumber > area.recordCount) {
    SetError(kOutOfRange, table + " is at EOF. [REPLACE]");
    return false;
  }
  if (!MayWriteRecord(area.recordNumber)) {
    SetError(kRecordNotLocked, "Record #" + std::to_string(area.recordNumber) + " in " +
                                   area.fileName + " [REPLACE]");
    return false;
  }
  IndexHooks* index = ActiveIndex(area);
  if (index != nullptr && !NoteOldKeys(area, *index)) return false;
  const bool written = WriteRecord(area, area.recordNumber) == 0;
  if (index != nullptr) {
    if (written) index->IndexUpdateKeys(area);
    index->IndexUpdate(area, false);
  }
  return written && EngineErrorCode() == 0;
}

}  // namespace pw
