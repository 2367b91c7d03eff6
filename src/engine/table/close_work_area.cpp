#include "engine/table/close_work_area.h"

#include <cstdlib>
#include <string>

#include "common/error_state.h"
#include "engine/table/dbf_file.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/engine_settings.h"
#include "engine/table/lock.h"
#include "engine/table/record_count.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// Closes every table when the process ends, each one completely: a failure
// is only recorded (a dispatch would end the process inside its own exit),
// and one table's failure does not keep the others open.
void CloseAllAtProcessEnd() {
  SetAutoDispatch(false);
  CloseAll();
}

}  // namespace

void CloseWorkArea() {
  WorkArea& area = CurrentArea();
  if (!area.occupied) return;
  EngineHooks& hooks = RegisteredHooks();
  if (IndexHooks* index = ActiveIndex(area)) index->IndexClose(area);
  const int sizeCode = RefreshRecordCount(area);
  Unlock();
  area.swap.clear();
  if (area.hasMemo && hooks.memo != nullptr) hooks.memo->CloseMemo(area);
  area.filter.reset();
  const std::string path = area.fileName;
  int code = CloseDbfFile(area);
  if (code == 0) code = sizeCode;
  area = WorkArea{};
  if (code != 0) ReportCloseFailure(code, path);
}

void CloseAll() {
  for (int n = 1; n <= kWorkAreaCount; ++n) {
    Select(n);
    CloseWorkArea();
  }
  Select(1);
}

void CloseAllAtExit() {
  static const bool registered = [] {
    // The state the closing uses must outlive the handler, so it is built first.
    Settings();
    RegisteredHooks();
    EngineErrorCode();
    CurrentArea();
    return std::atexit(CloseAllAtProcessEnd) == 0;
  }();
  (void)registered;
}

}  // namespace pw
