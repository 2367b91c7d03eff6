// The index semaphore: how programs that share a table coordinate their
// in-memory copies of its index. A small file beside the table ("<table>.@S@")
// counts the programs logged in, counts the readers walking the trees, lets
// one writer at a time change the index while no reader is active, and
// carries an update counter by which every program notices that another one
// has changed the index and must re-read its anchors.
//
// One IndexSemaphore belongs to each work area whose index is open for shared
// use; the index state owns it (none for exclusive tables). It lives from
// LOGIN at index open to LOGOUT at index close. Every failure is reported
// through SetError (code 1202 for lock timeouts, 254 for unbalanced nesting
// and a work area out of range, the system's code for open, read and write
// failures) and ends the operation.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/index/index_semaphore_record.h"
#include "platform/file.h"

namespace pw {

struct WorkArea;

enum class SemaphoreAction : int {
  kLogin = 0,
  kLogout = 1,
  kIncRead = 2,
  kDecRead = 3,
  kLockSemaphore = 4,
  kUnlockSemaphore = 5,
};

// "LOGIN", "LOGOUT", "INCREAD", "DECREAD", "LOCKSEMAPHORE", "UNLOCKSEMAPHORE".
const char* SemaphoreActionName(SemaphoreAction action);

// The semaphore file of a table: its extension replaced by ".@S@"
// ("/data/notes.@S@" for "/data/notes.dbf").
std::string SemaphoreFileName(const std::string& tablePath);

class IndexSemaphore {
 public:
  ~IndexSemaphore();
  IndexSemaphore(const IndexSemaphore&) = delete;
  IndexSemaphore& operator=(const IndexSemaphore&) = delete;

  // LOGIN: under the table's lock byte, opens (or recreates) the semaphore
  // file beside the table and counts this program in. `*out` receives the
  // state; it is left as it is for an exclusive table (nothing to
  // coordinate) and on failure. Returns 0 or the reported error code.
  static int Login(WorkArea& area, std::unique_ptr<IndexSemaphore>* out);
  // LOGOUT: counts this program (and its reader or writer standing) out,
  // closes the file and deletes it when nobody is left. The owner then drops
  // the object. Returns 0 or the reported error code.
  int Logout(WorkArea& area);

  // The read-semaphore procedure: the first "on" performs INCREAD, the "off"
  // that brings the nesting back to 0 performs DECREAD; an "off" below 0
  // reports 254 "Non-symmetrical Lock-Unlock [SetReadSemaphoreProc]". A level
  // counts even when its INCREAD fails, so every "on" needs its "off".
  bool SetRead(bool on);
  // The write-semaphore procedure: the same with LOCKSEMAPHORE and
  // UNLOCKSEMAPHORE ("Non-symmetrical Lock-Unlock [SetLockSemaphoreProc]").
  bool SetLock(bool on);

  // An action for this area: INCREAD, DECREAD, LOCKSEMAPHORE,
  // UNLOCKSEMAPHORE, or LOGOUT (as Logout); LOGIN does nothing, the area is
  // logged in already. Every level of INCREAD and LOCKSEMAPHORE counts, even
  // when the action fails. Skipped after LOGOUT. Returns 0 or the error code.
  int Handle(SemaphoreAction action);

  // The change check: whether the update counter last read from the file (by
  // INCREAD or LOCKSEMAPHORE) differs from the one last seen. The index
  // engine then re-reads its anchors and calls MarkSeen.
  bool ChangedSinceSeen() const { return record_.updateCounter != seenCounter_; }
  void MarkSeen() { seenCounter_ = record_.updateCounter; }

  // What to run each time this program takes the lock to read or write the
  // index (INCREAD, LOCKSEMAPHORE), before it looks at the trees: the undo
  // of an update that a killed writer left. It returns 0 or a reported
  // code, and tells whether it changed the files; the update counter then
  // moves on, so that every program drops its copies.
  using Recovery = std::function<int(bool* changedFiles)>;
  void SetRecovery(Recovery recovery) { recovery_ = std::move(recovery); }

  // The semaphore file's path, as used in messages.
  const std::string& FileName() const { return fileName_; }
  // This program's copy of the record, as last read or written.
  const SemaphoreRecord& Record() const { return record_; }
  // Whether this program holds the semaphore file's lock (it is the writer,
  // or is in the middle of an update of the record).
  bool LockHeld() const { return lockHeld_; }

 private:
  IndexSemaphore(std::string fileName, int areaNumber);

  // The semaphore file's lock (4 bytes at offset 1) with its retries.
  int LockFile(SemaphoreAction action);
  int UnlockFile(SemaphoreAction action);
  // Releases the lock after a failure whose report stands.
  void ReleaseAfterFailure();
  int ReadRecord(SemaphoreAction action);
  int WriteRecord(SemaphoreAction action);

  // LOGIN and LOGOUT steps, under the table's lock byte.
  int OpenOrCreate(bool* fresh);
  int CountIn(bool fresh);
  int CountOut();

  int ChangeReaders(SemaphoreAction action);
  // The reader mark (index_semaphore_record.h) of this open.
  int MarkReader(SemaphoreAction action);
  void UnmarkReader();
  // Whether byte 1 counts only programs that have ended: no other open
  // holds the reader mark and this one is not counted as a reader. Asked
  // with the lock at offset 1 held, so no live writer is left either.
  bool CountLeftByEndedPrograms() const;
  // Runs the recovery with the lock held and the record read.
  int Recover();
  int LockSemaphore();
  int UnlockSemaphore();
  // Whether the record can be read without the lock: no other open holds
  // the lock range, and the read succeeds.
  bool ReadWhileUnlocked() const;
  int WriterTimeout();
  bool Nest(int* depth, bool on, SemaphoreAction enter, SemaphoreAction leave,
            const char* unbalancedText);

  std::string fileName_;
  int areaNumber_;
  Recovery recovery_;
  platform::File file_;
  SemaphoreRecord record_;
  std::uint16_t seenCounter_ = 0;
  bool lockHeld_ = false;
  bool countedAsReader_ = false;
  int readDepth_ = 0;   // INCREAD / DECREAD nesting
  int writeDepth_ = 0;  // LOCKSEMAPHORE / UNLOCKSEMAPHORE nesting
  int readProcDepth_ = 0;
  int lockProcDepth_ = 0;
};

// The operation by its action number for `area`: LOGIN fills `semaphore`,
// LOGOUT empties it, the others act on it and are skipped while it is null
// (exclusive table, or not logged in). A work area outside the engine's
// table (number 35 or more) reports 254 "Work area [n ] out of range.
// [HandleSemafore]". Returns 0 or the reported error code.
int HandleSemafore(WorkArea& area, std::unique_ptr<IndexSemaphore>& semaphore,
                   SemaphoreAction action);

}  // namespace pw
