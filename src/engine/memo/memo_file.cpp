#include "engine/memo/memo_file.h"

#include <memory>
#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "engine/memo/memo_lock.h"
#include "engine/memo/memo_pack_journal.h"
#include "engine/memo/memo_state.h"
#include "engine/table/engine_settings.h"
#include "engine/table/work_areas.h"
#include "platform/file_lookup.h"

namespace pw {
namespace {

bool IsMemoKindByte(unsigned char version) {
  return version == 0x83 || version == 0x8B || version == 0x8C || version == 0xF5;
}

std::string ExtensionLike(const std::string& path, MemoKind kind) {
  const std::string extension = SplitPath(path).extension;
  std::string wanted = MemoFileExtension(kind);
  if (extension.size() > 1 && extension[1] >= 'a' && extension[1] <= 'z') {
    for (char& c : wanted) c = static_cast<char>(c - 'A' + 'a');
  }
  return wanted;
}

}  // namespace

unsigned char GetMemoType() {
  unsigned char version = 0;
  std::size_t got = 0;
  const WorkArea& area = CurrentArea();
  if (area.file.ReadAt(0, &version, 1, &got) == 0 && got == 1 && IsMemoKindByte(version)) {
    return version;
  }
  return 0x8B;
}

bool CreateMemofile(const std::string& name, unsigned char kind, int blockSize,
                    const std::string& operation) {
  const MemoKind memoKind = MemoKindOf(kind);
  const std::string path = HasExtension(name) ? name : name + "." + MemoFileExtension(memoKind);
  platform::File file;
  if (int code = file.Create(path, platform::Sharing::Exclusive); code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Cannot create memo file " + path + " [" + operation + "]");
    return false;
  }
  const std::vector<unsigned char> bytes =
      NewMemoFile(memoKind, blockSize, RemoveExt(FileNameOf(path)));
  int code = file.WriteAt(0, bytes.data(), bytes.size());
  if (const int closeCode = file.Close(); code == 0) code = closeCode;
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code), path + " [" + operation + "]");
    return false;
  }
  return true;
}

std::string MemoPathForTable(const std::string& tablePath, MemoKind kind) {
  return platform::ResolvePathNoCase(ForceExt(tablePath, ExtensionLike(tablePath, kind)));
}

std::string MemoPathOf(const WorkArea& area) {
  return MemoPathForTable(area.file.Path(), MemoKindOf(area.Version()));
}

int OpenMemofile(WorkArea& area) {
  const std::string path = MemoPathOf(area);
  if (MemoOf(area) != nullptr) {
    SetError(kMemoAlreadyOpen, path + " [USE]");
    return kMemoAlreadyOpen;
  }
  // A read-only open changes no file: it reads the memos as an interrupted
  // pack left them and leaves the pack to the next read-write open.
  const bool readOnly = area.access == platform::Access::Read;
  InterruptedPackView view;
  if (readOnly) {
    view = ViewInterruptedPack(path);
  } else if (int code = RecoverInterruptedPack(area, path); code != 0) {
    return code;
  }
  const bool shared = !area.exclusive && Settings().networkMode;
  if (int code = OpenMemoAt(area, path, shared, "USE"); code != 0) return code;
  MemoOf(area)->packInterrupted = view.interrupted;
  MemoOf(area)->packedFields = std::move(view.rewrites);
  return 0;
}

int OpenMemoAt(WorkArea& area, const std::string& path, bool shared, const std::string& operation) {
  auto memo = std::make_unique<MemoState>();
  memo->kind = MemoKindOf(area.Version());
  memo->path = path;
  memo->shared = shared;
  const platform::Access access = Settings().forcedAccess.value_or(platform::Access::ReadWrite);
  const platform::Sharing sharing =
      shared ? platform::Sharing::Shared : platform::Sharing::Exclusive;
  const std::string failure = "Memo file not found: " + path + " [" + operation + "]";
  if (int code = memo->file.Open(path, access, sharing); code != 0) {
    SetError(static_cast<std::uint16_t>(code), failure);
    return code;
  }
  if (memo->kind != MemoKind::Dbase3) {
    unsigned char header[kDefaultMemoBlockSize];
    std::size_t got = 0;
    const std::size_t wanted = static_cast<std::size_t>(HeaderExtent(memo->kind));
    if (int code = memo->file.ReadAt(0, header, wanted, &got); code != 0) {
      SetError(static_cast<std::uint16_t>(code), failure);
      return code;
    }
    memo->blockSize = StoredBlockSize(memo->kind, header, got);
  }
  // Entries and free runs carry an 8-byte header in their first block.
  if (memo->blockSize < kEntryHeaderSize) {
    SetError(kInvalidMemoAddress,
             path + " Block size " + std::to_string(memo->blockSize) + " [" + operation + "]");
    return kInvalidMemoAddress;
  }
  area.memo = std::move(memo);
  return 0;
}

bool CloseMemofile(WorkArea& area) {
  MemoState* memo = MemoOf(area);
  if (memo == nullptr) {
    area.memo.reset();
    return true;
  }
  memo->stream = BlobDescriptor{};
  UnlockMemo(*memo);
  const std::string path = memo->path;
  const int code = memo->file.Close();
  area.memo.reset();
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code), path + " [CloseMemofile]");
    return false;
  }
  return true;
}

}  // namespace pw
