#include "engine/table/edit_lock_rule.h"

#include "engine/table/engine_settings.h"
#include "engine/table/lock.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

bool EditsUnrestricted(const WorkArea& area) {
  return area.exclusive || !Settings().networkMode;
}

}  // namespace

bool MayWriteRecord(std::int32_t recordNumber) {
  return EditsUnrestricted(CurrentArea()) || IsLocked(recordNumber);
}

bool MayAppend() {
  const WorkArea& area = CurrentArea();
  return EditsUnrestricted(area) || area.lockState == LockState::Appended;
}

}  // namespace pw
