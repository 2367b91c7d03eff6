#include "engine/table/replace.h"

#include <algorithm>
#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/dispatch_after.h"
#include "engine/table/edit_lock_rule.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_io.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// Lets the index unit note the keys of the record as it is on disk: the new
// values wait in the swap buffer while the image holds the old record.
bool NoteOldKeys(WorkArea& area, IndexHooks& index) {
  std::copy_n(area.image, area.imageSize, area.swap.begin());
  const bool noted = ReadRecord(area, area.recordNumber) == 0 && index.IndexNoteOldKeys(area);
  std::copy(area.swap.begin(), area.swap.end(), area.image);
  return noted;
}

// Under the write semaphore, which takes in other programs' changes first:
// the old keys are noted, the record written, and changed keys traded.
bool ReplaceIndexed(WorkArea& area, IndexHooks& index) {
  bool done = index.IndexUpdate(area, true) && NoteOldKeys(area, index) &&
              WriteRecord(area, area.recordNumber) == 0 && index.IndexUpdateKeys(area);
  if (!index.IndexUpdate(area, false)) done = false;
  return done;
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
  if (index == nullptr) return WriteRecord(area, area.recordNumber) == 0;
  if (area.swap.size() != area.imageSize) {
    SetError(kInternalError, area.fileName + " Swap-buffer NIL. [REPLACE]");
    return false;
  }
  return DispatchAfter([&] { return ReplaceIndexed(area, *index); });
}

}  // namespace pw
