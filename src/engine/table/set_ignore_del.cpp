#include "engine/table/set_ignore_del.h"

#include "engine/table/skip.h"
#include "engine/table/work_areas.h"

namespace pw {

bool SetIgnoreDel(bool hide) {
  if (CheckInUse("SetIgnoreDel()")) return false;
  WorkArea& area = CurrentArea();
  const bool previous = area.hideDeleted;
  area.hideDeleted = hide;
  Skip(0);
  return previous;
}

}  // namespace pw
