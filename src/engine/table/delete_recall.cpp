#include "engine/table/delete_recall.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/edit_lock_rule.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

bool OnRecord(const WorkArea& area) {
  return area.recordNumber >= 1 && area.recordNumber <= area.recordCount;
}

// Byte 0 of the record: '*' deleted, ' ' live; written untranslated.
bool WriteDeletionFlag(WorkArea& area, bool deleted) {
  const unsigned char flag = deleted ? '*' : ' ';
  if (int code = area.records.WriteThrough(area.file, RecordOffset(area, area.recordNumber), &flag,
                                           1, area.recordNumber, area.recordNumber);
      code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "File:  " + area.fileName + " [DeleteRec/RecallRec]");
    return false;
  }
  area.raw[0] = flag;
  area.image[0] = deleted ? 1 : 0;
  // An appended table keeps that state: its end marker is still to be written.
  if (area.headerState != HeaderState::Appended) area.headerState = HeaderState::Dirty;
  return true;
}

}  // namespace

bool DeleteRec() {
  if (CheckInUse("DeleteRec")) return false;
  ClearEngineError();
  WorkArea& area = CurrentArea();
  if (!MayWriteRecord(area.recordNumber)) {
    SetError(kRecordNotLocked, area.fileName + " Record not locked [DeleteRec]");
    return false;
  }
  return !OnRecord(area) || WriteDeletionFlag(area, true);
}

bool RecallRec() {
  if (CheckInUse("RecallRec")) return false;
  ClearEngineError();
  WorkArea& area = CurrentArea();
  if (!MayWriteRecord(area.recordNumber)) {
    SetError(kRecordNotLocked, "Record not locked [RecallRec]");
    return false;
  }
  if (!RefreshCountReported(area, "RecallRec")) return false;
  if (!OnRecord(area)) {
    SetError(kInvalidOperation, area.fileName + " at EOF [RecallRec]");
    return false;
  }
  return WriteDeletionFlag(area, false);
}

}  // namespace pw
