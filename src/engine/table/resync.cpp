#include "engine/table/resync.h"

#include "engine/table/go.h"
#include "engine/table/lock.h"
#include "engine/table/skip.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"

namespace pw {

bool Resync() {
  if (CheckInUse("Resync")) return false;
  WorkArea& area = CurrentArea();
  if (IsVisible(area)) return false;
  Unlock();
  const std::int32_t hidden = area.recordNumber;
  Skip(1);
  if (area.eof) {
    if (hidden >= 1 && hidden <= area.recordCount) Go(hidden);
    Skip(-1);
  }
  return true;
}

}  // namespace pw
