// Finding and reading one memo entry by its first block, bounded by the end
// of the file whatever its header claims.
#pragma once

#include <cstdint>
#include <string>

#include "engine/memo/memo_state.h"

namespace pw {

// Where an entry's data lies and how long it is.
struct EntryExtent {
  std::uint64_t dataStart = 0;
  std::int64_t length = -1;  // -1: no entry header, the data ends at the first 0x1A
  std::uint32_t headerSize = 0;
};

// Memo entries are read and written in pieces of at most this many bytes.
inline constexpr std::size_t kMemoPieceSize = 32767;

// Reads the entry header at `block` of a file of `fileSize` bytes. Returns
// 0, 1003 when the block starts at or beyond the last byte of the file, or
// the I/O code; reports nothing.
int LocateEntry(const MemoState& memo, std::uint64_t block, std::uint64_t fileSize,
                EntryExtent* extent);

// The raw data of the entry at `block`: as long as its header says, or up to
// the first 0x1A (and NUL when `stopAtNul`) for an entry without a header,
// never past the end of the file; `*complete` turns false when the announced
// length runs past the end. `*extent` receives where it was found. Returns
// 0, 1003 or the I/O code; reports nothing.
int ReadEntryData(const MemoState& memo, std::uint64_t block, bool stopAtNul, std::string* data,
                  EntryExtent* extent, bool* complete);

}  // namespace pw
