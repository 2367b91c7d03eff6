#include "engine/table/append.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/table/dispatch_after.h"
#include "engine/table/edit_lock_rule.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/record_io.h"
#include "engine/table/refresh_count.h"
#include "engine/table/work_areas.h"
#include "platform/os_error.h"

namespace pw {
namespace {

// What an append overwrites at the end of the file (an end marker, a
// partial record a killed writer left, or nothing) and the file's length,
// so that an append that cannot be completed leaves the file exactly as it
// was, and the work area's count, header state and position too.
class AppendUndo {
 public:
  // False after reporting a failed look at the file.
  bool Note(const WorkArea& area) {
    count_ = area.recordCount;
    headerState_ = area.headerState;
    offset_ = RecordOffset(area, area.recordCount + 1);
    int code = area.file.Size(&length_);
    if (code == 0 && length_ > offset_) {
      overwritten_.resize(std::min<std::uint64_t>(length_ - offset_, area.recordLength));
      code = area.file.ReadExactAt(offset_, overwritten_.data(), overwritten_.size());
    }
    return code == 0 || Report(area, code);
  }

  // Takes the new record back; the work area is left at end of file with
  // the record image as the caller prepared it, ready for another try.
  bool Restore(WorkArea& area) const {
    int code = 0;
    if (!overwritten_.empty())
      code = area.file.WriteAt(offset_, overwritten_.data(), overwritten_.size());
    if (code == 0 && length_ < offset_ + area.recordLength) code = area.file.Truncate(length_);
    area.recordCount = count_;
    area.headerState = headerState_;
    area.recordNumber = count_ + 1;
    area.bof = false;
    area.eof = true;
    return code == 0 || Report(area, code);
  }

 private:
  static bool Report(const WorkArea& area, int code) {
    SetError(static_cast<std::uint16_t>(code), "File:  " + area.fileName + " [APPEND]");
    return false;
  }

  std::int32_t count_ = 0;
  HeaderState headerState_ = HeaderState::Clean;
  std::uint64_t offset_ = 0;
  std::uint64_t length_ = 0;
  std::vector<unsigned char> overwritten_;
};

// The record and its keys, or neither: the write semaphore is held from
// before the record is written until every tag has its key, and a record
// whose keys could not all be added leaves the file again.
bool AppendIndexed(WorkArea& area, IndexHooks& index) {
  // Noted under the write semaphore: taking it may undo another program's
  // interrupted append and move the end of the file.
  if (!index.IndexUpdate(area, true)) {
    index.IndexUpdate(area, false);
    return false;
  }
  AppendUndo undo;
  if (!undo.Note(area)) {
    index.IndexUpdate(area, false);
    return false;
  }
  bool done = WriteRecord(area, area.recordCount + 1) == 0 && index.IndexAddKeys(area);
  if (!done) {
    undo.Restore(area);
    index.IndexPositionLost(area);
  }
  if (!index.IndexUpdate(area, false)) done = false;
  return done;
}

}  // namespace

bool Append() {
  ClearEngineError();
  if (CheckInUse("Append")) return false;
  WorkArea& area = CurrentArea();
  if (!MayAppend()) {
    SetError(platform::kAccessDenied,
             "File must be locked to append: " + area.fileName + " [APPEND]");
    return false;
  }
  // Another process may have appended since: the new record goes after theirs.
  if (!RefreshCountReported(area, "APPEND")) return false;
  IndexHooks* index = ActiveIndex(area);
  const bool done = index == nullptr ? WriteRecord(area, area.recordCount + 1) == 0
                                     : DispatchAfter([&] { return AppendIndexed(area, *index); });
  if (!done) return false;
  area.bof = false;
  area.eof = false;
  return true;
}

}  // namespace pw
