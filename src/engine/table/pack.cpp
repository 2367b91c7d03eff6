#include "engine/table/pack.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/error_state.h"
#include "engine/table/dbf_header.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/pack_mark.h"
#include "engine/table/record_count.h"
#include "engine/table/record_io.h"
#include "engine/table/reopen.h"
#include "engine/table/work_areas.h"
#include "platform/file_replacement.h"
#include "platform/os_error.h"

namespace pw {
namespace {

// The packed file's name while it is written: the table's file name plus
// this suffix, so it can never be the table itself nor the memo file's
// "$$$" twin. One left by a crash is replaced by the next pack.
constexpr char kPackTwinSuffix[] = ".$PK";
constexpr unsigned char kDeletedFlag = '*';
constexpr std::size_t kCopyChunkBytes = std::size_t{1} << 20;

bool Report(int code, const std::string& detail) {
  SetError(static_cast<std::uint16_t>(code), detail);
  return false;
}

// Copies the header and, in their order, the records not marked deleted
// from the table's file to `to`; stores their number in `*kept`. Returns 0
// or the os code.
int CopyKeptRecords(const WorkArea& area, platform::File& to, std::int32_t* kept) {
  *kept = 0;
  std::vector<unsigned char> header(area.headerLength);
  if (int code = area.file.ReadExactAt(0, header.data(), header.size()); code != 0) return code;
  if (int code = to.WriteAt(0, header.data(), header.size()); code != 0) return code;
  const std::size_t length = area.recordLength;
  const std::int64_t perChunk =
      static_cast<std::int64_t>(std::max<std::size_t>(1, kCopyChunkBytes / length));
  std::vector<unsigned char> chunk(static_cast<std::size_t>(perChunk) * length);
  std::vector<unsigned char> out;
  out.reserve(chunk.size());
  std::uint64_t readAt = area.headerLength;
  std::uint64_t writeAt = area.headerLength;
  for (std::int64_t left = area.recordCount; left > 0; left -= perChunk) {
    const std::size_t bytes = static_cast<std::size_t>(std::min(left, perChunk)) * length;
    if (int code = area.file.ReadExactAt(readAt, chunk.data(), bytes); code != 0) return code;
    readAt += bytes;
    out.clear();
    for (std::size_t at = 0; at < bytes; at += length) {
      if (chunk[at] == kDeletedFlag) continue;
      out.insert(out.end(), chunk.begin() + at, chunk.begin() + at + length);
      ++*kept;
    }
    if (int code = to.WriteAt(writeAt, out.data(), out.size()); code != 0) return code;
    writeAt += out.size();
  }
  return 0;
}

// Writes the kept records to the twin and renames it over the table's file;
// the area then works on the packed file, still exclusively: the twin's
// sharing lock is taken before the rename and the File moves into the area,
// so no other open can reach the packed table in between. On failure the
// table's file and the area are as they were. Returns whether the packed
// file is in place; a failed sync of the folder after the rename is
// reported, but the table is packed.
bool ReplaceWithKeptRecords(WorkArea& area) {
  const std::string failure = "Error packing " + area.fileName;
  platform::FileReplacement replacement;
  platform::File twin;
  std::int32_t kept = 0;
  int code = replacement.Begin(area.file.Path(), kPackTwinSuffix, twin);
  if (code == 0) code = CopyKeptRecords(area, twin, &kept);
  if (code != 0) return Report(code, failure);

  // The prolog goes into the twin through the area, so it is exactly what a
  // close writes: bytes 16-27 as in the file, today's date, the kept count,
  // and the end marker after the last record.
  const std::array<unsigned char, 32> oldProlog = area.prolog;
  const std::int32_t oldCount = area.recordCount;
  const HeaderState oldState = area.headerState;
  std::swap(area.file, twin);
  area.recordCount = kept;
  area.headerState = HeaderState::Appended;
  code = WriteDbfHeader(area);
  if (code == 0) code = replacement.Commit(area.file);
  if (!replacement.Committed()) {
    std::swap(area.file, twin);
    area.prolog = oldProlog;
    area.recordCount = oldCount;
    area.headerState = oldState;
  }
  if (code != 0) Report(code, failure);
  // `twin`, the old file, is closed only now: held until after the rename,
  // it kept every other open out of the old file as well.
  return replacement.Committed();
}

// Record 1 of the packed table, or the empty state.
bool PositionOnFirstRecord(WorkArea& area) {
  if (area.recordCount > 0) return ReadRecord(area, 1) == 0;
  BlankRecord(area);
  area.recordNumber = 0;
  area.bof = true;
  area.eof = true;
  return true;
}

// The pack itself, with the table held exclusively. `recount`: the table
// was shared until now, and other processes may have appended records that
// this work area has not counted yet; they are kept as well.
bool PackExclusively(WorkArea& area, bool recount) {
  const std::string failure = "Error packing " + area.fileName;
  if (recount) {
    if (int code = DeriveRecordCount(area); code != 0) return Report(code, failure);
  }
  if (area.file.AccessMode() == platform::Access::Read) {
    return Report(platform::kAccessDenied, failure);
  }
  IndexHooks* index = ActiveIndex(area);
  if (index != nullptr) {
    if (int code = MarkPackBegun(area.file.Path()); code != 0) return Report(code, failure);
  }
  if (!ReplaceWithKeptRecords(area)) return false;
  // Byte-range locks went with the old file, and the numbers they named
  // have changed.
  area.recordLocks.clear();
  area.lockState = LockState::None;
  bool done = PositionOnFirstRecord(area);
  MemoHooks* memo = RegisteredHooks().memo;
  if (done && area.hasMemo && memo != nullptr) done = memo->PackMemo(area);
  // A failed memo pack leaves the rebuild to the next open of the index,
  // which the pack's mark calls for.
  if (done && index != nullptr) done = index->IndexRebuild(area);
  return done && EngineErrorCode() == 0;
}

// The rebuild opened the index while the table was held exclusively, so
// the index file is held so too and out of the semaphore; with the table
// shared again it is opened shared. (The memo pack reopens the memo file in
// the mode it had.)
bool ShareIndexAgain(WorkArea& area) {
  IndexHooks* index = ActiveIndex(area);
  return index == nullptr || index->IndexReopen(area);
}

}  // namespace

bool Pack() {
  ClearEngineError();
  if (CheckInUse("Pack")) return false;
  WorkArea& area = CurrentArea();
  if (area.recordCount == 0) return true;
  const bool reopened = !area.exclusive;
  if (reopened && Reopen(true) != 0) return false;
  bool packed;
  {
    // Errors are reported once the sharing mode is restored: a dispatch may
    // raise or end the process.
    AutoDispatchOff quiet;
    packed = PackExclusively(area, reopened);
  }
  std::uint16_t code = EngineErrorCode();
  std::string detail = code != 0 ? TakeDetailText() : std::string();
  if (reopened) {
    AutoDispatchOff quiet;
    if (int reopenCode = Reopen(false); reopenCode != 0) {
      if (code == 0) {
        code = static_cast<std::uint16_t>(reopenCode);
        detail = "Cannot re-open database sharable. " + area.fileName + " [Pack]";
      }
    } else if (!ShareIndexAgain(area) && code == 0) {
      code = EngineErrorCode();
      detail = TakeDetailText();
    }
  }
  if (code != 0) SetError(code, detail);
  return packed;
}

}  // namespace pw
