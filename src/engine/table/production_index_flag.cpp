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
  area.prolog[kProductionIndexByte] = on ? 1 : 0;
  if (area.headerState == HeaderState::Clean) area.headerState = HeaderState::Dirty;
}

}  // namespace pw
