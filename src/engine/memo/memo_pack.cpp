#include "engine/memo/memo_pack.h"

#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/number_routines.h"
#include "common/path_names.h"
#include "common/text_routines.h"
#include "engine/memo/memo_entry.h"
#include "engine/memo/memo_file.h"
#include "engine/memo/memo_header.h"
#include "engine/memo/memo_pack_journal.h"
#include "engine/memo/memo_state.h"
#include "engine/table/peek_poke.h"
#include "engine/table/work_areas.h"
#include "platform/disk_space.h"
#include "platform/file_replacement.h"

namespace pw {
namespace {

constexpr std::uint64_t kDbase3NewFileSize = 513;

struct Failure {
  std::uint16_t code = 0;
  std::string detail;
};

// The end of the twin padded to a block boundary: where the next entry goes.
int PadTwin(MemoState& twin, std::uint64_t* end) {
  std::uint64_t size = 0;
  if (int code = twin.file.Size(&size); code != 0) return code;
  if (twin.kind == MemoKind::Dbase3 && size == kDbase3NewFileSize) {
    size = kDbase3NewFileSize - 1;
    if (int code = twin.file.Truncate(size); code != 0) return code;
  }
  *end = (size + twin.blockSize - 1) / twin.blockSize * twin.blockSize;
  if (*end == size) return 0;
  const std::string zeros(static_cast<std::size_t>(*end - size), '\0');
  return twin.file.WriteAt(size, zeros.data(), zeros.size());
}

// Copies the entry at `block` of the old file to offset `at` of the twin.
int CopyEntry(const MemoState& old, MemoState& twin, std::uint32_t block, std::uint64_t at,
              bool* complete) {
  std::string data;
  EntryExtent extent;
  if (int code = ReadEntryData(old, block, true, &data, &extent, complete); code != 0) return code;
  std::string bytes;
  if (twin.kind == MemoKind::Dbase3 && extent.headerSize == 0) {
    bytes = data + static_cast<char>(kMemoEndByte);
  } else {
    const EntryHeader header =
        EncodeEntryHeader(twin.kind, static_cast<std::uint32_t>(data.size()));
    bytes.assign(header.begin(), header.end());
    bytes += data;
  }
  return twin.file.WriteAt(at, bytes.data(), bytes.size());
}

class MemoPack {
 public:
  MemoPack(WorkArea& area, MemoState& old) : area_(area), old_(old) {}

  // Writes the complete twin, durably, and collects the field rewrites.
  bool BuildTwin() {
    twin_.kind = old_.kind;
    twin_.blockSize = old_.blockSize;
    twin_.path = old_.path;
    const std::vector<unsigned char> header =
        NewMemoFile(old_.kind, static_cast<int>(old_.blockSize), RemoveExt(FileNameOf(old_.path)));
    int code = replacement_.Begin(old_.path, kPackTwinSuffix, twin_.file);
    if (code == 0) code = twin_.file.WriteAt(0, header.data(), header.size());
    if (code != 0) return Fail(static_cast<std::uint16_t>(code));
    for (std::int32_t record = 1; record <= area_.recordCount; ++record) {
      for (std::size_t field = 1; field <= area_.fields.size(); ++field) {
        if (area_.fields[field - 1].type != 'M') continue;
        if (!CopyField(record, static_cast<std::uint16_t>(field))) return false;
      }
    }
    if (!MainHeaderWrite(twin_, "PackMemo")) return Fail(EngineErrorCode(), TakeDetailText());
    code = twin_.file.Flush();
    if (code == 0) code = FingerprintOf(twin_.file, &packed_);
    return code == 0 || Fail(static_cast<std::uint16_t>(code));
  }

  // Commits: journal, twin over the memo file, fields rewritten, journal
  // removed. Returns false when the pack was abandoned with nothing changed.
  bool Commit() {
    if (int code = WritePackJournal(old_.path, packed_, rewrites_); code != 0) {
      RemovePackJournal(old_.path);
      return Fail(static_cast<std::uint16_t>(code));
    }
    old_.file.Close();
    const int code = replacement_.Commit(twin_.file);
    twin_.file.Close();
    if (!replacement_.Committed()) {
      // The twin goes with the replacement; a journal left behind names a
      // packed file that is not there and is thrown away on the next open.
      RemovePackJournal(old_.path);
      return Fail(static_cast<std::uint16_t>(code));
    }
    if (code != 0) Keep(static_cast<std::uint16_t>(code));
    for (const FieldRewrite& rewrite : rewrites_) {
      if (!Poke(MemoFieldText(rewrite.block), rewrite.field,
                static_cast<std::int32_t>(rewrite.record))) {
        // The journal stays: the next open of the table repeats the rewrites.
        return Keep(EngineErrorCode());
      }
    }
    if (int flushCode = area_.file.Flush(); flushCode != 0) {
      return Keep(static_cast<std::uint16_t>(flushCode));
    }
    if (int removeCode = RemovePackJournal(old_.path); removeCode != 0) {
      return Keep(static_cast<std::uint16_t>(removeCode));
    }
    return true;
  }

  const Failure& failure() const { return failure_; }
  const std::vector<std::string>& badFields() const { return badFields_; }

 private:
  bool CopyField(std::int32_t record, std::uint16_t field) {
    const std::string stored = Peek(field, record);
    if (EngineErrorCode() != 0) return Fail(EngineErrorCode(), TakeDetailText());
    const std::int32_t block = ValLongText(AllTrim(stored));
    if (block < 1) return true;
    std::uint64_t end = 0;
    if (int code = PadTwin(twin_, &end); code != 0) return Fail(static_cast<std::uint16_t>(code));
    bool complete = true;
    const int code = CopyEntry(old_, twin_, static_cast<std::uint32_t>(block), end, &complete);
    const std::string bad = old_.path + " Memo block # " + std::to_string(block) + " Record # " +
                            std::to_string(record) + " [PackMemo]";
    if (code == kInvalidMemoAddress) {
      badFields_.push_back(bad);
      return true;
    }
    if (code != 0) return Fail(static_cast<std::uint16_t>(code));
    if (!complete) badFields_.push_back(bad);
    rewrites_.push_back({static_cast<std::uint32_t>(record), field,
                         static_cast<std::uint32_t>(end / twin_.blockSize)});
    return true;
  }

  bool Fail(std::uint16_t code, std::string detail = {}) {
    if (failure_.code == 0) {
      failure_ = {code, detail.empty() ? old_.path + " [PackMemo]" : std::move(detail)};
    }
    return false;
  }
  // A failure after the commit point: the memo file is the packed one.
  bool Keep(std::uint16_t code) {
    Fail(code, EngineErrorCode() != 0 ? TakeDetailText() : std::string());
    return true;
  }

  WorkArea& area_;
  MemoState& old_;
  platform::FileReplacement replacement_;
  MemoState twin_;
  PackedFingerprint packed_;
  std::vector<FieldRewrite> rewrites_;
  std::vector<std::string> badFields_;
  Failure failure_;
};

bool EnoughRoom(const MemoState& memo) {
  std::uint64_t free = 0;
  std::uint64_t size = 0;
  int code = platform::FreeDiskBytes(memo.path, &free);
  if (code == 0) code = memo.file.Size(&size);
  if (code != 0) {
    ReportMemoError(memo, static_cast<std::uint16_t>(code), "PackMemofile");
    return false;
  }
  if (free / 1024 < size / 1024) {
    ReportMemoError(memo, kNoRoomToPack, "PackMemofile");
    return false;
  }
  return true;
}

}  // namespace

bool PackMemofile() {
  MemoState* memo = CheckMemoAvailable("PackMemofile");
  if (memo == nullptr || !EnoughRoom(*memo)) return false;
  WorkArea& area = CurrentArea();
  const std::string path = memo->path;
  const bool shared = memo->shared;
  memo->stream = BlobDescriptor{};
  MemoPack pack(area, *memo);
  bool packed = pack.BuildTwin() && pack.Commit();
  const Failure failure = pack.failure();
  const std::vector<std::string> badFields = pack.badFields();
  ClearEngineError();
  area.memo.reset();
  if (OpenMemoAt(area, path, shared, "PackMemofile") != 0) {
    area.memo.reset();
    packed = false;
  }
  for (const std::string& bad : badFields) SetError(kInvalidMemoAddress, bad);
  if (failure.code != 0) SetError(failure.code, failure.detail);
  return packed;
}

}  // namespace pw
