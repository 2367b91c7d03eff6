#include "engine/table/go.h"

#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

void ReportInvalidNumber(const WorkArea& area, std::int32_t n) {
  SetError(kOutOfRange, "Invalid record number = " + std::to_string(n) + " Database \"" +
                            area.fileName + "\" [GO]");
}

}  // namespace

void Go(std::int32_t n) {
  if (CheckInUse("GO()")) return;
  ClearEngineError();
  WorkArea& area = CurrentArea();
  if (n > area.recordCount && !RefreshCountReported(area, "GO()")) return;
  if (area.recordCount == 0) {
    area.bof = true;
    area.eof = true;
    BlankRecord(area);
    ReportInvalidNumber(area, n);
    return;
  }
  area.bof = false;
  area.eof = false;
  if (n < 1 || n > area.recordCount) {
    area.recordNumber = area.recordCount + 1;
    area.eof = true;
    ReportInvalidNumber(area, n);
    return;
  }
  IndexHooks* index = ActiveIndex(area);
  if (index != nullptr) index->IndexNavigate(area, true);
  const bool read = ReadRecord(area, n) == 0;
  if (index != nullptr) {
    index->IndexPositionLost(area);
    if (read) index->IndexSync(area);
    index->IndexNavigate(area, false);
  }
}

void RawGo(std::int32_t n) {
  ClearEngineError();
  WorkArea& area = CurrentArea();
  std::uint16_t code = 0;
  if (!area.occupied) {
    code = kNoDatabaseInUse;
  } else if (n > area.recordCount) {
    area.recordNumber = area.recordCount + 1;
    area.eof = true;
    BlankRecord(area);
  } else if (n <= 0) {
    code = kOutOfRange;
  } else {
    const bool bof = area.bof;
    {
      // The read's own message gives way to this operation's.
      AutoDispatchOff quiet;
      code = static_cast<std::uint16_t>(ReadRecord(area, n));
    }
    area.bof = bof;
  }
  if (code != 0) SetError(code, " [Dbf4RawGo]");
}

}  // namespace pw
