#include "engine/table/position_queries.h"

#include "engine/table/engine_hooks.h"
#include "engine/table/refresh_count.h"
#include "engine/table/work_areas.h"

namespace pw {

bool dEOF() {
  if (CheckInUse("dEOF()")) return true;
  WorkArea& area = CurrentArea();
  RefreshCountReported(area, "dEOF()");
  if (area.recordNumber > area.recordCount) area.eof = true;
  if (IndexHooks* index = ActiveIndex(area)) return index->IndexAtEnd(area);
  return area.eof;
}

bool dBOF() {
  if (CheckInUse("dBOF()")) return true;
  WorkArea& area = CurrentArea();
  if (IndexHooks* index = ActiveIndex(area)) return index->IndexAtStart(area);
  return area.bof;
}

std::int32_t RecNo() {
  if (CheckInUse("RecNo()")) return 0;
  return CurrentArea().recordNumber;
}

std::int32_t RecCount() {
  if (CheckInUse("RecCount()")) return 0;
  WorkArea& area = CurrentArea();
  RefreshCountReported(area, "RecCount()");
  return area.recordCount;
}

std::int32_t RecSize() {
  if (CheckInUse("RecSize()")) return 0;
  return CurrentArea().recordLength;
}

}  // namespace pw
