// The index semaphore's reader and writer actions, the nesting procedures and
// the dispatch by action number. LOGIN and LOGOUT are in
// index_semaphore_login.cpp.
#include "engine/index/index_semaphore.h"

#include <string>
#include <utility>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/seconds_counter.h"
#include "engine/index/index_semaphore_area.h"
#include "engine/index/index_semaphore_settings.h"
#include "engine/table/engine_settings.h"
#include "engine/table/lock.h"
#include "engine/table/work_area.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

int Report(std::uint16_t code, const std::string& text) {
  SetError(code, text);
  return code;
}

}  // namespace

const char* SemaphoreActionName(SemaphoreAction action) {
  switch (action) {
    case SemaphoreAction::kLogin:
      return "LOGIN";
    case SemaphoreAction::kLogout:
      return "LOGOUT";
    case SemaphoreAction::kIncRead:
      return "INCREAD";
    case SemaphoreAction::kDecRead:
      return "DECREAD";
    case SemaphoreAction::kLockSemaphore:
      return "LOCKSEMAPHORE";
    case SemaphoreAction::kUnlockSemaphore:
      return "UNLOCKSEMAPHORE";
  }
  return "";
}

std::string SemaphoreFileName(const std::string& tablePath) {
  const std::size_t slash = tablePath.rfind('/');
  const std::size_t dot = tablePath.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? tablePath.substr(0, dot) : tablePath) + ".@S@";
}

IndexSemaphore::IndexSemaphore(std::string fileName, int areaNumber)
    : fileName_(std::move(fileName)), areaNumber_(areaNumber) {}

IndexSemaphore::~IndexSemaphore() = default;

int IndexSemaphore::LockFile(SemaphoreAction action) {
  const SemaphoreSettings& settings = IndexSemaphoreSettings();
  std::uint16_t code = 0;
  for (int attempt = 1;; ++attempt) {
    code = LockRegion(file_, kSemaphoreLockOffset, kSemaphoreLockLength);
    if (code == 0) {
      lockHeld_ = true;
      return 0;
    }
    if (attempt >= settings.lockAttempts) break;
    LockWait(settings.lockRetryWaitMs);
  }
  return Report(kSemaphoreError, "10 second timeout: Cannot lock index semaphore file: " +
                                     fileName_ + " " + SemaphoreActionName(action) +
                                     "\r\nPossible cause: Network lock limit exceeded\r\n" +
                                     " Lock result code: " + std::to_string(code));
}

int IndexSemaphore::UnlockFile(SemaphoreAction action) {
  lockHeld_ = false;
  const std::uint16_t code = UnlockRegion(file_, kSemaphoreLockOffset, kSemaphoreLockLength);
  if (code == 0) return 0;
  return Report(
      code, "Cannot unlock index semaphore file: " + fileName_ + " " + SemaphoreActionName(action));
}

void IndexSemaphore::ReleaseAfterFailure() {
  lockHeld_ = false;
  UnlockRegion(file_, kSemaphoreLockOffset, kSemaphoreLockLength);
}

int IndexSemaphore::ReadRecord(SemaphoreAction action) {
  SemaphoreRecordBytes bytes{};
  const int code = file_.ReadExactAt(0, bytes.data(), bytes.size());
  if (code != 0) {
    return Report(static_cast<std::uint16_t>(code),
                  "Cannot read: " + fileName_ + " " + SemaphoreActionName(action));
  }
  record_ = DecodeSemaphoreRecord(bytes);
  return 0;
}

int IndexSemaphore::WriteRecord(SemaphoreAction action) {
  const SemaphoreRecordBytes bytes = EncodeSemaphoreRecord(record_);
  const int code = file_.WriteAt(0, bytes.data(), bytes.size());
  if (code == 0) return 0;
  return Report(static_cast<std::uint16_t>(code),
                "Cannot write to: " + fileName_ + " " + SemaphoreActionName(action));
}

// INCREAD and DECREAD once the nesting allows: the reader count in byte 1
// goes up or down under the lock, with this open's reader mark held for as
// long as it is counted. The writer is not counted as a reader.
int IndexSemaphore::ChangeReaders(SemaphoreAction action) {
  const bool entering = action == SemaphoreAction::kIncRead;
  if (lockHeld_ || countedAsReader_ == entering) return 0;
  if (const int code = LockFile(action); code != 0) return code;
  int code = entering ? MarkReader(action) : 0;
  if (code == 0) code = ReadRecord(action);
  if (code == 0 && entering) code = Recover();
  if (code == 0) {
    if (entering && record_.readers < kMaxSemaphoreReaders) ++record_.readers;
    if (!entering && record_.readers > 0) --record_.readers;
    code = WriteRecord(action);
  }
  // Only a count that reached the file is one to take back at DECREAD, and
  // the mark stays exactly as long as the count.
  const bool counted = entering ? code == 0 : code != 0;
  if (!counted) UnmarkReader();
  if (code != 0) {
    ReleaseAfterFailure();
    return code;
  }
  countedAsReader_ = entering;
  return UnlockFile(action);
}

int IndexSemaphore::MarkReader(SemaphoreAction action) {
  if (!Settings().networkMode) return 0;
  const int code = file_.LockRegionShared(kSemaphoreReaderMarkOffset, kSemaphoreReaderMarkLength);
  if (code == 0) return 0;
  return Report(static_cast<std::uint16_t>(code), "Cannot lock index semaphore file: " + fileName_ +
                                                      " " + SemaphoreActionName(action));
}

void IndexSemaphore::UnmarkReader() {
  if (Settings().networkMode) {
    file_.UnlockRegion(kSemaphoreReaderMarkOffset, kSemaphoreReaderMarkLength);
  }
}

bool IndexSemaphore::CountLeftByEndedPrograms() const {
  // Without network mode nothing is locked, so nothing can be told.
  return Settings().networkMode && !countedAsReader_ &&
         !file_.RegionLockedByOther(kSemaphoreReaderMarkOffset, kSemaphoreReaderMarkLength);
}

bool IndexSemaphore::ReadWhileUnlocked() const {
  // A read of a range another program has locked fails on the systems the
  // file was designed for; here the lock is looked up before reading.
  if (file_.RegionLockedByOther(kSemaphoreLockOffset, kSemaphoreLockLength)) return false;
  SemaphoreRecordBytes bytes{};
  return file_.ReadExactAt(0, bytes.data(), bytes.size()) == 0;
}

int IndexSemaphore::WriterTimeout() {
  const std::string seconds = std::to_string(IndexSemaphoreSettings().writerTimeoutSeconds);
  return Report(kSemaphoreError, seconds + " second timeout, cannot read: " + fileName_ + "\r\n" +
                                     "Possible cause: Other user's program has terminated "
                                     "abnormally." +
                                     "\r\n" +
                                     "Cure: Log all users of this application off the network," +
                                     "\r\n" + "then delete " + fileName_);
}

int IndexSemaphore::Recover() {
  if (!recovery_) return 0;
  bool changedFiles = false;
  if (const int code = recovery_(&changedFiles); code != 0) return code;
  if (changedFiles) record_.updateCounter = NextUpdateCounter(record_.updateCounter);
  return 0;
}

// Waits until no reader and no other writer is active, then marks the index
// as held by a writer (byte 1 = 1) and keeps the lock until UNLOCKSEMAPHORE.
// Readers and writers that ended without leaving are not waited for.
int IndexSemaphore::LockSemaphore() {
  constexpr SemaphoreAction kAction = SemaphoreAction::kLockSemaphore;
  if (++writeDepth_ != 1 || lockHeld_) return 0;
  const SemaphoreSettings& settings = IndexSemaphoreSettings();
  // The pause between two looks also lets the readers get at the lock to leave.
  const auto waitRound = [&settings] {
    if (settings.writerWaiting) settings.writerWaiting();
    LockWait(settings.writerPollMs);
  };
  const std::int64_t start = SecondsCounter();
  for (;;) {
    const std::int64_t seriesStart = SecondsCounter();
    while (!ReadWhileUnlocked()) {
      if (SecondsCounter() - seriesStart > settings.writerTimeoutSeconds) return WriterTimeout();
      waitRound();
    }
    if (const int code = LockFile(kAction); code != 0) return code;
    if (const int code = ReadRecord(kAction); code != 0) {
      ReleaseAfterFailure();
      return code;
    }
    // A count left by programs that have ended is cleared, not waited for.
    if (record_.readers == 0 || CountLeftByEndedPrograms()) break;
    if (const int code = UnlockFile(kAction); code != 0) return code;
    if (SecondsCounter() - start >= settings.writerTimeoutSeconds) return WriterTimeout();
    waitRound();
  }
  if (const int code = Recover(); code != 0) {
    ReleaseAfterFailure();
    return code;
  }
  record_.readers = 1;
  if (const int code = WriteRecord(kAction); code != 0) {
    ReleaseAfterFailure();
    return code;
  }
  return 0;
}

// Releases the writer's hold: a new update counter tells every other program
// to re-read its anchors; this program has seen its own change.
int IndexSemaphore::UnlockSemaphore() {
  constexpr SemaphoreAction kAction = SemaphoreAction::kUnlockSemaphore;
  if (--writeDepth_ < 0) {
    writeDepth_ = 0;
    if (lockHeld_) ReleaseAfterFailure();
    return Report(kInternalError, "Unbalanced Lock/Unlock for semaphore file: " + fileName_ + " " +
                                      SemaphoreActionName(kAction));
  }
  if (writeDepth_ != 0 || !lockHeld_) return 0;
  int code = ReadRecord(kAction);
  if (code == 0) {
    record_.updateCounter = NextUpdateCounter(record_.updateCounter);
    record_.readers = 0;
    code = WriteRecord(kAction);
  }
  if (code != 0) {
    ReleaseAfterFailure();
    return code;
  }
  seenCounter_ = record_.updateCounter;
  return UnlockFile(kAction);
}

int IndexSemaphore::Handle(SemaphoreAction action) {
  if (!file_.IsOpen()) return 0;
  switch (action) {
    case SemaphoreAction::kLogin:
      return 0;
    case SemaphoreAction::kLogout:
      return Logout(WorkAreaAt(areaNumber_));
    case SemaphoreAction::kIncRead:
      if (++readDepth_ != 1) return 0;
      return ChangeReaders(action);
    case SemaphoreAction::kDecRead:
      if (--readDepth_ < 0) {
        readDepth_ = 0;
        return Report(kInternalError, "Unbalanced IncRead/DecRead for semaphore file: " +
                                          fileName_ + " " + SemaphoreActionName(action));
      }
      if (readDepth_ != 0) return 0;
      return ChangeReaders(action);
    case SemaphoreAction::kLockSemaphore:
      return LockSemaphore();
    case SemaphoreAction::kUnlockSemaphore:
      return UnlockSemaphore();
  }
  return 0;
}

bool IndexSemaphore::Nest(int* depth, bool on, SemaphoreAction enter, SemaphoreAction leave,
                          const char* unbalancedText) {
  if (on) return ++*depth != 1 || Handle(enter) == 0;
  if (--*depth < 0) {
    *depth = 0;
    Report(kInternalError, unbalancedText);
    return false;
  }
  return *depth != 0 || Handle(leave) == 0;
}

bool IndexSemaphore::SetRead(bool on) {
  return Nest(&readProcDepth_, on, SemaphoreAction::kIncRead, SemaphoreAction::kDecRead,
              "Non-symmetrical Lock-Unlock [SetReadSemaphoreProc]");
}

bool IndexSemaphore::SetLock(bool on) {
  return Nest(&lockProcDepth_, on, SemaphoreAction::kLockSemaphore,
              SemaphoreAction::kUnlockSemaphore,
              "Non-symmetrical Lock-Unlock [SetLockSemaphoreProc]");
}

int HandleSemafore(WorkArea& area, std::unique_ptr<IndexSemaphore>& semaphore,
                   SemaphoreAction action) {
  if (SemaphoreAreaOutOfRange(SemaphoreAreaNumber(area))) return kInternalError;
  if (area.exclusive) return 0;
  if (action == SemaphoreAction::kLogin) {
    return semaphore ? 0 : IndexSemaphore::Login(area, &semaphore);
  }
  if (!semaphore) return 0;
  if (action != SemaphoreAction::kLogout) return semaphore->Handle(action);
  const int code = semaphore->Logout(area);
  semaphore.reset();
  return code;
}

}  // namespace pw
