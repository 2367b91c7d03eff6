// LOGIN and LOGOUT of the index semaphore. Both run under the table's lock
// byte, so that one program at a time opens, recreates, counts in or out of,
// and deletes the semaphore file; the file's own lock is taken inside it.
#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/file_routines.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/index_semaphore_area.h"
#include "engine/index/index_semaphore_settings.h"
#include "engine/table/lock.h"
#include "engine/table/work_area.h"
#include "engine/table/work_areas.h"
#include "platform/file_lookup.h"
#include "platform/os_error.h"

namespace pw {
namespace {

constexpr std::uint8_t kMostLogins = 255;

int Report(int code, const std::string& text) {
  SetError(static_cast<std::uint16_t>(code), text);
  return code;
}

// The table lock byte of the current table, with the semaphore's attempts.
int TakeTableByte(const std::string& fileName, SemaphoreAction action) {
  const SemaphoreSettings& settings = IndexSemaphoreSettings();
  for (int attempt = 1;; ++attempt) {
    if (LockTableByte()) return 0;
    if (attempt >= settings.lockAttempts) break;
    LockWait(settings.lockRetryWaitMs);
  }
  return Report(kSemaphoreError, "Cannot lock database for: " + fileName + " Action=" +
                                     SemaphoreActionName(action) + " [Database Semaphore]");
}

// Releases the table lock byte; a failure of the step before it stays the
// engine error code.
void ReleaseTableByte(int result) {
  UnlockTableByte();
  if (result != 0 && EngineErrorCode() == 0) SetEngineErrorCode(static_cast<std::uint16_t>(result));
}

std::string AtCreation() {
  return std::string(" Action=") + SemaphoreActionName(SemaphoreAction::kLogin) +
         " [Database Semaphore]";
}

}  // namespace

int IndexSemaphore::Login(WorkArea& area, std::unique_ptr<IndexSemaphore>* out) {
  const int number = SemaphoreAreaNumber(area);
  if (SemaphoreAreaOutOfRange(number)) return 254;
  const SelectedArea selected(number);
  // Without a table there is no file to put the semaphore beside.
  if (CheckInUse(SemaphoreActionName(SemaphoreAction::kLogin))) return EngineErrorCode();
  if (area.exclusive) return 0;
  std::unique_ptr<IndexSemaphore> semaphore(
      new IndexSemaphore(platform::ResolvePathNoCase(SemaphoreFileName(area.file.Path())), number));
  if (const int code = TakeTableByte(semaphore->fileName_, SemaphoreAction::kLogin); code != 0) {
    return code;
  }
  bool fresh = false;
  int result = semaphore->OpenOrCreate(&fresh);
  if (result == 0) result = semaphore->CountIn(fresh);
  ReleaseTableByte(result);
  if (result == 0) *out = std::move(semaphore);
  return result;
}

// A file last written today belongs to programs still logged in and is used
// as it is. An older one holds the counts of programs that ended without
// logging out: it is recreated with a zero record, unless some program still
// has it open.
int IndexSemaphore::OpenOrCreate(bool* fresh) {
  const char* action = SemaphoreActionName(SemaphoreAction::kLogin);
  *fresh = false;
  if (!(platform::FileExists(fileName_) && FileIsFromToday(fileName_))) {
    platform::File creator;
    int code = 0;
    bool heldElsewhere = false;
    if (platform::FileExists(fileName_)) {
      code = creator.Open(fileName_, platform::Access::ReadWrite, platform::Sharing::Exclusive);
      heldElsewhere = code == platform::kSharingViolation;
      if (code == 0) code = creator.Truncate(0);
    } else {
      code = creator.Create(fileName_, platform::Sharing::Exclusive);
    }
    if (!heldElsewhere) {
      if (code != 0) return Report(code, "Cannot open/create: " + fileName_ + AtCreation());
      const SemaphoreRecordBytes zeros{};
      code = creator.WriteAt(0, zeros.data(), zeros.size());
      if (code == 0) code = creator.Close();
      if (code != 0) return Report(code, "Cannot write to: " + fileName_ + AtCreation());
      *fresh = true;
    }
  }
  const int code = file_.Open(fileName_, platform::Access::ReadWrite, platform::Sharing::Shared);
  if (code != 0) return Report(code, "Cannot open: " + fileName_ + " " + action);
  return 0;
}

int IndexSemaphore::CountIn(bool fresh) {
  constexpr SemaphoreAction kAction = SemaphoreAction::kLogin;
  if (const int code = LockFile(kAction); code != 0) return code;
  record_ = SemaphoreRecord{};
  int code = 0;
  if (!fresh) {
    LockWait(IndexSemaphoreSettings().openPauseMs);
    code = ReadRecord(kAction);
  }
  if (code == 0) {
    // A full count stays full: wrapping to 0 would let a LOGOUT delete the
    // file under the programs still using it.
    if (record_.logins < kMostLogins) ++record_.logins;
    code = WriteRecord(kAction);
  }
  if (code != 0) {
    ReleaseAfterFailure();
    return code;
  }
  seenCounter_ = record_.updateCounter;
  return UnlockFile(kAction);
}

int IndexSemaphore::Logout(WorkArea& area) {
  if (!file_.IsOpen()) return 0;
  const SelectedArea selected(SemaphoreAreaNumber(area));
  if (const int code = TakeTableByte(fileName_, SemaphoreAction::kLogout); code != 0) return code;
  const int result = CountOut();
  ReleaseTableByte(result);
  return result;
}

// Takes this program's login, and its standing as a reader or as the writer,
// out of the record; the last program out deletes the file.
int IndexSemaphore::CountOut() {
  constexpr SemaphoreAction kAction = SemaphoreAction::kLogout;
  const bool writer = lockHeld_;
  int code = LockFile(kAction);
  if (code == 0) code = ReadRecord(kAction);
  if (code == 0) {
    if (writer) {
      // A writer leaving without UNLOCKSEMAPHORE must not leave byte 1 set:
      // every other writer would wait for it until its timeout.
      record_.readers = 0;
      record_.updateCounter = NextUpdateCounter(record_.updateCounter);
    } else if (countedAsReader_ && record_.readers > 0) {
      --record_.readers;
    }
    if (record_.logins > 0) --record_.logins;
    code = WriteRecord(kAction);
  }
  if (code == 0) {
    code = UnlockFile(kAction);
  } else {
    ReleaseAfterFailure();
  }
  countedAsReader_ = false;
  if (const int closeCode = file_.Close(); closeCode != 0 && code == 0) {
    code = Report(closeCode, "Cannot close: " + fileName_ + " " + SemaphoreActionName(kAction));
  }
  if (code != 0 || record_.logins != 0) return code;
  const int eraseCode = EraseFile(fileName_);
  // Gone already, or still held open by a program whose count was lost: it
  // stays for that program.
  if (eraseCode == 0 || eraseCode == platform::kFileNotFound ||
      eraseCode == platform::kSharingViolation) {
    return 0;
  }
  return Report(eraseCode, "Cannot delete: " + fileName_ + " " + SemaphoreActionName(kAction));
}

}  // namespace pw
