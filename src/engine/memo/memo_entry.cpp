#include "engine/memo/memo_entry.h"

#include "common/error_codes.h"

#include <algorithm>

namespace pw {
namespace {

// Data up to the first end byte (0x1A, and NUL when asked), read piece by
// piece up to the end of the file.
int ReadUpToEndByte(const MemoState& memo, std::uint64_t start, std::uint64_t fileSize,
                    bool stopAtNul, std::string* data) {
  std::string piece(kMemoPieceSize, '\0');
  for (std::uint64_t at = start; at < fileSize;) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(kMemoPieceSize, fileSize - at));
    std::size_t got = 0;
    if (int code = memo.file.ReadAt(at, piece.data(), want, &got); code != 0) return code;
    if (got == 0) break;
    const auto end = std::find_if(
        piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got), [stopAtNul](char c) {
          return c == static_cast<char>(kMemoEndByte) || (stopAtNul && c == '\0');
        });
    data->append(piece.begin(), end);
    if (end != piece.begin() + static_cast<std::ptrdiff_t>(got)) break;
    at += got;
  }
  return 0;
}

}  // namespace

int LocateEntry(const MemoState& memo, std::uint64_t block, std::uint64_t fileSize,
                EntryExtent* extent) {
  const std::uint64_t offset = block * memo.blockSize;
  if (offset + 1 >= fileSize) return kInvalidMemoAddress;
  EntryHeader header{};
  std::size_t got = 0;
  if (int code = memo.file.ReadAt(offset, header.data(), header.size(), &got); code != 0) {
    return code;
  }
  *extent = EntryExtent{};
  extent->dataStart = offset;
  if (got < header.size() && memo.kind != MemoKind::FoxPro) return 0;
  if (const auto length = DecodeEntryHeader(memo.kind, header)) {
    extent->length = *length;
    extent->headerSize = kEntryHeaderSize;
    extent->dataStart = offset + kEntryHeaderSize;
  }
  return 0;
}

int ReadEntryData(const MemoState& memo, std::uint64_t block, bool stopAtNul, std::string* data,
                  EntryExtent* extent, bool* complete) {
  data->clear();
  *complete = true;
  std::uint64_t fileSize = 0;
  if (int code = memo.file.Size(&fileSize); code != 0) return code;
  if (int code = LocateEntry(memo, block, fileSize, extent); code != 0) return code;
  if (extent->length < 0) {
    return ReadUpToEndByte(memo, extent->dataStart, fileSize, stopAtNul, data);
  }
  const std::uint64_t available = fileSize > extent->dataStart ? fileSize - extent->dataStart : 0;
  const std::uint64_t wanted = static_cast<std::uint64_t>(extent->length);
  *complete = wanted <= available;
  data->resize(static_cast<std::size_t>(std::min(wanted, available)));
  return memo.file.ReadExactAt(extent->dataStart, data->data(), data->size());
}

}  // namespace pw
