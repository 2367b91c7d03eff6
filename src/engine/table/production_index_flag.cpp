#include "engine/table/production_index_flag.h"

#include "engine/table/dbf_header.h"
#include "engine/table/work_areas.h"

namespace pw {

bool ProductionIndexFlag() {
  const WorkArea& area = CurrentArea();
  return area.occupied && area.Version() != kVersionDbase2 &&
         area.prolog[kProductionIndexByte] != 0;
}

void ProductionIndexFlag(bool on) {
  WorkArea& area = CurrentArea();
  if (!area.occupied || area.Version() == kVersionDbase2 || ProductionIndexFlag() == on) return;
  unsigned char& flag = area.prolog[kProductionIndexByte];
  flag = on ? 1 : 0;
  // Byte 28 goes to disk at once: a program killed before its close must not
  // leave an index file that the table disowns, and that others let go stale.
  if (area.access == platform::Access::ReadWrite &&
      area.file.WriteAt(kProductionIndexByte, &flag, 1) == 0) {
    return;
  }
  // Not written (a read-only table, or the write failed): the close writes
  // the prolog, or reports why it cannot.
  if (area.headerState == HeaderState::Clean) area.headerState = HeaderState::Dirty;
}

}  // namespace pw
