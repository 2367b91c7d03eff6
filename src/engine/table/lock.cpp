// Append, record and table-byte locks of the table in the current work area.
//
// A work area's lock state is 0 (nothing), 2 (append lock) or 3 (records);
// the record lock list keeps the locked record numbers oldest first, and the
// state is 3 exactly while the list is not empty. Platform locks are taken
// only with network mode on and the table shared: an exclusive open already
// keeps every other open out, so its locks live in the list alone, and their
// release skips the platform as well, since nothing was taken there.
#include "engine/table/lock.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/engine_settings.h"
#include "engine/table/work_area.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

bool TakesPlatformLocks(const WorkArea& area) {
  return Settings().networkMode && !area.exclusive;
}

std::uint64_t RecordRegion(const WorkArea& area, std::int32_t recordNumber) {
  return RecordLockOffset(area.headerLength, area.recordLength, recordNumber);
}

// Releases the platform lock of the list entry at `index` and forgets the
// entry even when the release fails; returns the platform's code, which
// also becomes the engine error code.
std::uint16_t ReleaseEntry(WorkArea& area, std::size_t index) {
  const std::int32_t recordNumber = area.recordLocks[index];
  std::uint16_t code = 0;
  if (TakesPlatformLocks(area)) {
    code = UnlockRegion(area.file, RecordRegion(area, recordNumber), area.recordLength);
  }
  SetEngineErrorCode(code);
  area.recordLocks.erase(area.recordLocks.begin() + static_cast<std::ptrdiff_t>(index));
  if (area.recordLocks.empty()) area.lockState = LockState::None;
  return code;
}

// Newest first, the order in which the locks are released; the last refusal
// remains the engine error code.
bool ReleaseAllEntries(WorkArea& area) {
  std::uint16_t lastFailure = 0;
  while (!area.recordLocks.empty()) {
    const std::uint16_t code = ReleaseEntry(area, area.recordLocks.size() - 1);
    if (code != 0) lastFailure = code;
  }
  if (lastFailure == 0) return true;
  SetEngineErrorCode(lastFailure);
  return false;
}

// Stores 220 with the detail text, bypassing dispatch: UnlockRec reports its
// own misuse without ever interrupting the caller.
bool RejectUnlock(const std::string& text, std::int32_t n) {
  StoreError(kInvalidParameter, text + "[UnlockRec(" + std::to_string(n) + ")]");
  return false;
}

}  // namespace

bool ALock() {
  if (CheckInUse("ALock")) return false;
  WorkArea& area = CurrentArea();
  if (area.lockState == LockState::Appended) return true;
  if (area.lockState != LockState::None) return false;
  if (TakesPlatformLocks(area) && !LockWithRetry(area.file, AppendLockOffset(), 1)) return false;
  area.lockState = LockState::Appended;
  return true;
}

bool RLock() {
  if (CheckInUse("RLock")) return false;
  WorkArea& area = CurrentArea();
  const std::uint16_t limit = Settings().recordLockLimit;
  if (limit != 0 && area.recordLocks.size() == limit) {
    SetError(kOutOfRange, "Vozir record lock limit exceeded [RLock]");
    return false;
  }
  const std::int32_t recordNumber = area.recordNumber;
  if (area.lockState == LockState::Records && IsLocked(recordNumber)) return true;
  if (area.lockState == LockState::Appended) return false;
  if (TakesPlatformLocks(area) &&
      !LockWithRetry(area.file, RecordRegion(area, recordNumber), area.recordLength)) {
    return false;
  }
  area.recordLocks.push_back(recordNumber);
  area.lockState = LockState::Records;
  return true;
}

bool IsLocked(std::int32_t recordNumber) {
  if (CheckInUse("IsLocked")) return false;
  const std::vector<std::int32_t>& locks = CurrentArea().recordLocks;
  return std::find(locks.begin(), locks.end(), recordNumber) != locks.end();
}

bool UnlockRec(std::int32_t n) {
  ClearEngineError();
  if (CheckInUse("UnlockRec")) return true;
  WorkArea& area = CurrentArea();
  std::vector<std::int32_t>& locks = area.recordLocks;
  if (n == -3) return ReleaseAllEntries(area);
  if (n > 0 || n == -1 || n == -2) {
    std::size_t index = locks.size();
    if (n > 0) {
      index = static_cast<std::size_t>(std::find(locks.begin(), locks.end(), n) - locks.begin());
    } else if (!locks.empty()) {
      index = n == -1 ? 0 : locks.size() - 1;
    }
    if (index == locks.size()) return RejectUnlock("Record not locked. ", n);
    return ReleaseEntry(area, index) == 0;
  }
  return RejectUnlock("", n);
}

void Unlock() {
  ClearEngineError();
  if (CheckInUse("Unlock")) return;
  WorkArea& area = CurrentArea();
  if (area.lockState == LockState::Records) {
    UnlockRec(-3);
  } else if (area.lockState == LockState::Appended && TakesPlatformLocks(area)) {
    SetEngineErrorCode(UnlockRegion(area.file, AppendLockOffset(), 1));
  }
  area.lockState = LockState::None;
}

bool LockTableByte() {
  if (!Settings().networkMode) return true;
  return LockWithRetry(CurrentArea().file, TableLockByteOffset(), 1);
}

void UnlockTableByte() {
  WorkArea& area = CurrentArea();
  const std::uint16_t code = UnlockRegion(area.file, TableLockByteOffset(), 1);
  SetEngineErrorCode(code);
  if (code != 0) {
    SetError(code, "Error attempting to UNLOCK file " + area.fileName + " in Workarea " +
                       std::to_string(CurrentWorkArea()));
  }
}

}  // namespace pw
