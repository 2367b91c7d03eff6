#include "engine/memo/memo_store.h"

#include <algorithm>

#include "common/code_page.h"
#include "common/error_codes.h"
#include "engine/memo/memo_commit.h"
#include "engine/memo/memo_entry.h"
#include "engine/memo/memo_free_list.h"
#include "engine/memo/memo_header.h"
#include "engine/memo/memo_lock.h"
#include "engine/memo/memo_text_mode.h"
#include "engine/table/flush_file.h"

namespace pw {
namespace {

// Header (none for dBASE III) and data, as one write.
std::string EntryBytes(MemoKind kind, const std::string& data) {
  if (kind == MemoKind::Dbase3) return data + static_cast<char>(kMemoEndByte);
  const EntryHeader header = EncodeEntryHeader(kind, static_cast<std::uint32_t>(data.size()));
  return std::string(header.begin(), header.end()) + data;
}

}  // namespace

std::uint32_t StoreEntry(MemoState& memo, std::uint32_t oldBlock, const std::string& data,
                         const std::string& operation) {
  const std::uint64_t end = LockMemoPadAndSeekEOF(memo, operation);
  if (end == 0) return 0;
  std::uint64_t block = end / memo.blockSize;
  if (data.size() > 0xFFFFFFFFull - kEntryHeaderSize || block > INT32_MAX) {
    ReportMemoError(memo, kInvalidMemoAddress, operation);
    return 0;
  }
  if (memo.kind == MemoKind::Dbase4) {
    std::uint32_t chosen = 0;
    if (!AllocateEntry(memo, static_cast<std::uint32_t>(block), oldBlock, data.size(), operation,
                       &chosen)) {
      return 0;
    }
    block = chosen;
  }
  const std::string bytes = EntryBytes(memo.kind, data);
  if (memo.file.WriteAt(block * memo.blockSize, bytes.data(), bytes.size()) != 0) {
    ReportMemoError(memo, kDeviceWriteFault, operation);
    return 0;
  }
  return !MemoCommitOnClose() || FlushFile(memo.file) ? static_cast<std::uint32_t>(block) : 0;
}

bool StoreText(MemoState& memo, std::uint32_t oldBlock, const std::string& text, bool translate,
               const std::string& operation, std::uint32_t* block) {
  *block = 0;
  if (text.empty()) {
    if (!LockMemoOrReport(memo, operation)) return false;
  } else if ((*block = StoreEntry(memo, oldBlock, TextForDisk(text, translate), operation)) == 0) {
    UnlockMemo(memo);
    return false;
  }
  return UpdateMemoHeader(memo);
}

std::string TextForDisk(const std::string& text, bool translate) {
  std::string bytes = text;
  const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
  if (translate &&
      DecideTextMode(first, std::min(bytes.size(), kMemoPieceSize)) == TextMode::Text) {
    AnsiToOemBuffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  }
  return bytes;
}

}  // namespace pw
