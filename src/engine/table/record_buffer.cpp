#include "engine/table/record_buffer.h"

#include "engine/table/record_io.h"
#include "engine/table/work_areas.h"

namespace pw {

void ClearRecord() {
  if (CheckInUse("ClearRecord")) return;
  BlankRecord(CurrentArea());
}

bool GetDbfRecord(std::int32_t n) {
  if (CheckInUse("GetDbfRecord")) return false;
  return ReadRawRecord(CurrentArea(), n) == 0;
}

bool PutDbfRecord(std::int32_t n) {
  if (CheckInUse("PutDbfRecord")) return false;
  return WriteRawRecord(CurrentArea(), n) == 0;
}

bool Deleted() {
  if (CheckInUse("Deleted()")) return false;
  return CurrentArea().image[0] != 0;
}

}  // namespace pw
