#include "engine/table/skip.h"

#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/go_top.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

void RereadCurrent(WorkArea& area) {
  if (area.recordCount >= 1 && !area.eof) {
    ReadRecord(area, area.recordNumber);
  } else {
    BlankRecord(area);
  }
}

// One step to the next (forward) or previous record in the table's order;
// sets `end` when there is none. Returns false on a failed refresh or read.
bool Step(WorkArea& area, IndexHooks* index, bool forward, long& cur, bool& end) {
  const long prev = cur;
  if (index != nullptr) {
    cur = forward ? index->IndexNext(area) : index->IndexPrev(area);
    end = cur == prev;
  } else if (forward) {
    cur = area.recordNumber + 1L;
    if (!RefreshCountReported(area, "SKIP()")) return false;
  } else {
    cur = area.recordNumber - 1L;
    if (cur == 0) {
      end = true;
      cur = 1;
    }
  }
  if (forward && cur > area.recordCount) {
    end = true;
    cur = area.recordCount;
  }
  return ReadRecord(area, static_cast<std::int32_t>(cur)) == 0;
}

// Past the last visible record: end of file with BOF clear.
void RunOffTheEnd(WorkArea& area, IndexHooks* index) {
  BlankRecord(area);
  area.recordNumber = area.recordCount + 1;
  area.eof = true;
  if (index != nullptr) index->IndexPositionLost(area);
}

// Before the first visible record: that record with BOF set.
void RunOffTheStart(WorkArea& area, IndexHooks* index) {
  GoTop();
  area.bof = true;
  if (index != nullptr) index->IndexSetStart(area);
  if (area.eof) BlankRecord(area);
}

}  // namespace

void Skip(std::int32_t n) {
  ClearEngineError();
  if (CheckInUse("SKIP()")) return;
  WorkArea& area = CurrentArea();
  if (n == 0) {
    RereadCurrent(area);
    return;
  }
  if (area.eof && n > 0) {
    SetError(kOutOfRange, "Database \"" + area.fileName + "\" is past EOF. [SKIP]");
    return;
  }
  if (area.recordCount == 0) {
    area.bof = true;
    area.eof = true;
    SetError(kOutOfRange, "Database \"" + area.fileName + "\" is empty. [SKIP]");
    return;
  }
  if (area.bof && n < 0) return;

  area.bof = false;
  area.eof = false;
  IndexHooks* index = ActiveIndex(area);
  if (index != nullptr) index->IndexNavigate(area, true);
  const bool forward = n > 0;
  long cur = area.recordNumber;
  long count = 0;
  bool end = false;
  do {
    if (!Step(area, index, forward, cur, end)) {
      if (index != nullptr) index->IndexNavigate(area, false);
      return;
    }
    if (IsVisible(area)) count += forward ? 1 : -1;
  } while (count != n && !end);

  if (end) {
    if (forward) {
      RunOffTheEnd(area, index);
    } else {
      RunOffTheStart(area, index);
    }
  }
  if (index != nullptr) {
    index->IndexNavigate(area, false);
    index->IndexSync(area);
  }
}

}  // namespace pw
