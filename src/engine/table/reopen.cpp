#include "engine/table/reopen.h"

#include "common/error_state.h"
#include "engine/table/engine_settings.h"
#include "engine/table/engine_state.h"
#include "engine/table/work_areas.h"
#include "platform/os_error.h"

namespace pw {

int Reopen(bool exclusive) {
  if (CheckInUse("Reopen")) return platform::kInvalidHandle;
  WorkArea& area = CurrentArea();
  if (area.exclusive && !ProcessState().lastReopenExclusive) return platform::kAccessDenied;
  const std::string path = area.file.Path();
  const platform::Access access =
      exclusive ? platform::Access::ReadWrite : Settings().sharedOpenMode.access;
  const platform::Sharing sharing =
      exclusive ? platform::Sharing::Exclusive : Settings().sharedOpenMode.sharing;
  if (int code = area.file.Close(); code != 0) return code;
  if (int code = area.file.Open(path, access, sharing); code != 0) {
    // Back to the mode the table had, so that it stays usable.
    if (int restore = area.file.Open(path, area.access, area.sharing); restore != 0) {
      SetError(static_cast<std::uint16_t>(restore),
               "Failure to open " + area.fileName + " [Reopen]");
    }
    return code;
  }
  area.access = access;
  area.sharing = sharing;
  area.exclusive = exclusive;
  ProcessState().lastReopenExclusive = exclusive;
  return 0;
}

}  // namespace pw
