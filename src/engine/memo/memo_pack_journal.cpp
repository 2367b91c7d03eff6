#include "engine/memo/memo_pack_journal.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "common/error_state.h"
#include "engine/memo/memo_format.h"
#include "engine/memo/memo_state.h"
#include "engine/table/record_io.h"
#include "platform/file_lookup.h"
#include "platform/file_replacement.h"
#include "platform/os_error.h"

namespace pw {
namespace {

constexpr char kMagic[] = "PWMEMOJ2";
constexpr std::size_t kMagicSize = 8;
constexpr std::size_t kFixedSize = kMagicSize + 8 + 4 + 4;
constexpr std::size_t kEntrySize = 10;
constexpr char kJournalSuffix[] = ".$$J";
constexpr std::size_t kCopyPiece = std::size_t{1} << 20;
constexpr std::uint64_t kMaxJournalSize = std::uint64_t{1} << 30;

void PutLe(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

std::uint64_t GetLe(const std::string& in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(in[at + i]);
  return value;
}

constexpr std::uint32_t kFnvBasis = 2166136261u;

std::uint32_t Fnv(std::uint32_t hash, const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
  }
  return hash;
}

int RemoveFile(const std::string& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  return error ? platform::OsErrorFromErrno(error.value(), true) : 0;
}

// The twin's name: beside the real file, as FileReplacement makes it.
std::string TwinPathOf(const std::string& memoPath) {
  std::error_code error;
  const std::filesystem::path real = std::filesystem::canonical(memoPath, error);
  return (error ? memoPath : real.string()) + kPackTwinSuffix;
}

struct Journal {
  PackedFingerprint packed;
  std::vector<FieldRewrite> rewrites;
};

// False when the journal is torn or not a journal.
bool ReadJournal(const std::string& path, Journal* journal) {
  platform::File file;
  std::uint64_t size = 0;
  if (file.Open(path, platform::Access::Read, platform::Sharing::Shared) != 0 ||
      file.Size(&size) != 0 || size < kFixedSize + 4 || size > kMaxJournalSize) {
    return false;
  }
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (file.ReadExactAt(0, bytes.data(), bytes.size()) != 0) return false;
  const std::uint64_t count = GetLe(bytes, kMagicSize + 12, 4);
  const std::size_t body = bytes.size() - 4;
  if (bytes.compare(0, kMagicSize, kMagic) != 0 || body != kFixedSize + count * kEntrySize ||
      Fnv(kFnvBasis, bytes.data(), body) != GetLe(bytes, body, 4)) {
    return false;
  }
  journal->packed = {GetLe(bytes, kMagicSize, 8),
                     static_cast<std::uint32_t>(GetLe(bytes, kMagicSize + 8, 4))};
  for (std::size_t at = kFixedSize; at < body; at += kEntrySize) {
    journal->rewrites.push_back({static_cast<std::uint32_t>(GetLe(bytes, at, 4)),
                                 static_cast<std::uint16_t>(GetLe(bytes, at + 4, 2)),
                                 static_cast<std::uint32_t>(GetLe(bytes, at + 6, 4))});
  }
  return true;
}

// Whether the file at `path` is the packed file the journal names.
bool IsPackedFile(const std::string& path, const PackedFingerprint& packed) {
  platform::File file;
  PackedFingerprint found;
  return file.Open(path, platform::Access::Read, platform::Sharing::Shared) == 0 &&
         FingerprintOf(file, &found) == 0 && found.size == packed.size &&
         found.checksum == packed.checksum;
}

// Puts a copy of the twin left by the crash in place of the memo file,
// durably, through a fresh replacement (which removes the old twin first).
int InstallTwinCopy(const std::string& memoPath, const std::string& twinPath) {
  const std::string copyPath = twinPath + ".copy";
  std::error_code error;
  std::filesystem::rename(twinPath, copyPath, error);
  if (error) return platform::OsErrorFromErrno(error.value(), true);
  platform::File from;
  int code = from.Open(copyPath, platform::Access::Read, platform::Sharing::Exclusive);
  std::uint64_t size = 0;
  if (code == 0) code = from.Size(&size);
  platform::FileReplacement replacement;
  platform::File to;
  if (code == 0) code = replacement.Begin(memoPath, kPackTwinSuffix, to);
  std::string piece;
  for (std::uint64_t at = 0; code == 0 && at < size; at += piece.size()) {
    piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kCopyPiece, size - at)));
    code = from.ReadExactAt(at, piece.data(), piece.size());
    if (code == 0) code = to.WriteAt(at, piece.data(), piece.size());
  }
  if (code == 0) code = replacement.Commit(to);
  from.Close();
  if (replacement.Committed()) RemoveFile(copyPath);
  return code;
}

// The memo field a journal entry names, or null when the table has no such
// record or memo field (a journal from another table).
const FieldDef* RewrittenField(const WorkArea& area, const FieldRewrite& rewrite) {
  if (rewrite.record < 1 || rewrite.record > static_cast<std::uint32_t>(area.recordCount) ||
      rewrite.field < 1 || rewrite.field > area.fields.size()) {
    return nullptr;
  }
  const FieldDef& field = area.fields[rewrite.field - 1u];
  return field.type == 'M' && field.length == kMemoFieldWidth ? &field : nullptr;
}

// Writes the field texts straight into the record file: the journal's
// rewrites were decided while the table was held exclusively, so no record
// lock is needed to repeat them.
int RewriteFields(WorkArea& area, const std::vector<FieldRewrite>& rewrites) {
  for (const FieldRewrite& rewrite : rewrites) {
    const FieldDef* field = RewrittenField(area, rewrite);
    if (field == nullptr) continue;
    const std::string text = MemoFieldText(rewrite.block);
    const std::uint64_t at =
        RecordOffset(area, static_cast<std::int32_t>(rewrite.record)) + field->offset;
    if (int code = area.file.WriteAt(at, text.data(), text.size()); code != 0) return code;
  }
  return area.file.Flush();
}

}  // namespace

int FingerprintOf(const platform::File& file, PackedFingerprint* fingerprint) {
  *fingerprint = PackedFingerprint{};
  if (int code = file.Size(&fingerprint->size); code != 0) return code;
  std::uint32_t hash = kFnvBasis;
  std::string piece;
  for (std::uint64_t at = 0; at < fingerprint->size; at += piece.size()) {
    piece.resize(
        static_cast<std::size_t>(std::min<std::uint64_t>(kCopyPiece, fingerprint->size - at)));
    if (int code = file.ReadExactAt(at, piece.data(), piece.size()); code != 0) return code;
    hash = Fnv(hash, piece.data(), piece.size());
  }
  fingerprint->checksum = hash;
  return 0;
}

std::string PackJournalPath(const std::string& memoPath) {
  return memoPath + kJournalSuffix;
}

std::string MemoFieldText(std::uint32_t block) {
  char text[kMemoFieldWidth + 1];
  std::snprintf(text, sizeof text, "%10u", block);
  return text;
}

int WritePackJournal(const std::string& memoPath, const PackedFingerprint& packed,
                     const std::vector<FieldRewrite>& rewrites) {
  std::string bytes(kMagic, kMagicSize);
  PutLe(bytes, packed.size, 8);
  PutLe(bytes, packed.checksum, 4);
  PutLe(bytes, rewrites.size(), 4);
  for (const FieldRewrite& rewrite : rewrites) {
    PutLe(bytes, rewrite.record, 4);
    PutLe(bytes, rewrite.field, 2);
    PutLe(bytes, rewrite.block, 4);
  }
  PutLe(bytes, Fnv(kFnvBasis, bytes.data(), bytes.size()), 4);
  platform::File file;
  int code = file.Create(PackJournalPath(memoPath), platform::Sharing::Exclusive);
  if (code == 0) code = file.WriteAt(0, bytes.data(), bytes.size());
  if (code == 0) code = file.Flush();
  if (const int closeCode = file.Close(); code == 0) code = closeCode;
  return code;
}

int RemovePackJournal(const std::string& memoPath) {
  return RemoveFile(PackJournalPath(memoPath));
}

int RecoverInterruptedPack(WorkArea& area, const std::string& memoPath) {
  const std::string journalPath = PackJournalPath(memoPath);
  if (!platform::FileExists(journalPath)) return 0;
  const std::string twinPath = TwinPathOf(memoPath);
  Journal journal;
  int code = 0;
  if (ReadJournal(journalPath, &journal)) {
    if (platform::FileExists(twinPath) && IsPackedFile(twinPath, journal.packed)) {
      code = InstallTwinCopy(memoPath, twinPath);
    }
    if (code == 0 && IsPackedFile(memoPath, journal.packed)) {
      code = RewriteFields(area, journal.rewrites);
    }
  }
  // Committed and finished, or never committed: the journal and any twin
  // are only clutter now.
  if (code == 0) code = RemoveFile(journalPath);
  if (code == 0) RemoveFile(twinPath);
  if (code != 0) SetError(static_cast<std::uint16_t>(code), memoPath + " [PackMemofile]");
  return code;
}

InterruptedPackView ViewInterruptedPack(const std::string& memoPath) {
  InterruptedPackView view;
  const std::string journalPath = PackJournalPath(memoPath);
  if (!platform::FileExists(journalPath)) return view;
  view.interrupted = true;
  Journal journal;
  if (!ReadJournal(journalPath, &journal)) return view;
  const std::string twinPath = TwinPathOf(memoPath);
  const bool twinWaiting = platform::FileExists(twinPath) && IsPackedFile(twinPath, journal.packed);
  if (!twinWaiting && IsPackedFile(memoPath, journal.packed)) {
    view.rewrites = std::move(journal.rewrites);
    std::stable_sort(
        view.rewrites.begin(), view.rewrites.end(),
        [](const FieldRewrite& a, const FieldRewrite& b) { return a.record < b.record; });
  }
  return view;
}

void ShowPackedFields(WorkArea& area) {
  const MemoState* memo = MemoOf(area);
  if (memo == nullptr || memo->packedFields.empty()) return;
  const auto record = static_cast<std::uint32_t>(area.recordNumber);
  auto entry = std::lower_bound(
      memo->packedFields.begin(), memo->packedFields.end(), record,
      [](const FieldRewrite& rewrite, std::uint32_t n) { return rewrite.record < n; });
  for (; entry != memo->packedFields.end() && entry->record == record; ++entry) {
    const FieldDef* field = RewrittenField(area, *entry);
    if (field == nullptr) continue;
    const std::string text = MemoFieldText(entry->block);
    std::copy(text.begin(), text.end(), area.raw.begin() + field->offset);
  }
}

bool MemoPackInterrupted(WorkArea& area) {
  const MemoState* memo = MemoOf(area);
  return memo != nullptr && memo->packInterrupted;
}

}  // namespace pw
