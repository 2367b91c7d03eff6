// The memo file format. A memo file is a sequence of blocks; block n starts
// at byte n * block size and block 0 holds the header. An entry starts at
// the beginning of a block and occupies whole blocks; the file may end in
// the middle of its last block.
//
// dBASE III kind (.DBT of version 0x83), block size always 512:
//   header  0  next free block, 32-bit LE; the rest of the 512 bytes zero.
//           A new file is 513 bytes: next free 1, zeros, 0x1A at offset 512.
//   entry   the data from the first byte of its block up to the first 0x1A
//           (a NUL also ends it when entries are copied), or, when it starts
//           with the dBASE IV entry header, read as a dBASE IV entry.
//
// dBASE IV kind (.DBT of versions 0x8B, 0x8C):
//   header  0  next available block, 32-bit LE: head of the free list
//           4  reserved
//           8  base name of the record file, 8 bytes NUL-padded
//           16 reserved
//           18 0x02 0x01
//           20 block size, 16-bit LE (0 read as 512)
//           22 reserved
//           A new file is these 24 bytes; the rest of block 0 appears as
//           zero bytes when the first entry is stored.
//   entry   0  0xFF 0xFF 0x08 0x00
//           4  data length + 8, 32-bit LE
//           8  data; the entry takes (data length + 8) div block size + 1 blocks
//   free list: the header's next available block names the first free run;
//           a value equal to the number of blocks in the file means the list
//           is empty, and 0x7FFFFFFF that entries are appended at the end.
//           The first block of each run holds the next run (32-bit LE) and
//           the run's block count (32-bit LE); runs are in ascending order.
//
// FoxPro kind (.FPT of version 0xF5):
//   header  0  next free block, 32-bit BE
//           4  zero
//           6  block size, 16-bit BE (0 read as 512); zeros up to offset 512.
//           A new file is 512 bytes, next free = 511 div block size + 1.
//   entry   0  type 1, 32-bit BE
//           4  data length, 32-bit BE
//           8  data
//
// In a record a memo field holds the entry's first block as right-aligned
// decimal text in 10 characters; 0 or blanks mean no memo text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pw {

enum class MemoKind { Dbase3, Dbase4, FoxPro };

inline constexpr int kDefaultMemoBlockSize = 512;
inline constexpr std::size_t kEntryHeaderSize = 8;
inline constexpr unsigned char kMemoEndByte = 0x1A;
inline constexpr std::uint32_t kAppendAtEnd = 0x7FFFFFFF;
// The byte of the memo file that appending writers of a shared table lock.
inline constexpr std::uint64_t kMemoLockOffset = 10;
// A memo field's width in the record.
inline constexpr std::size_t kMemoFieldWidth = 10;

using EntryHeader = std::array<unsigned char, kEntryHeaderSize>;

// 0x83 gives the dBASE III kind, 0xF5 FoxPro, every other version dBASE IV.
MemoKind MemoKindOf(unsigned char version);
// "FPT" for the FoxPro kind, "DBT" otherwise.
std::string MemoFileExtension(MemoKind kind);

// Bytes of block 0 that describe the file: every later entry lies beyond
// them (512 for the dBASE III and FoxPro kinds, 24 for dBASE IV).
std::uint64_t HeaderExtent(MemoKind kind);
// The bytes a new memo file consists of.
std::vector<unsigned char> NewMemoFile(MemoKind kind, int blockSize, const std::string& baseName);
// The block size stored in the first HeaderExtent bytes (512 for dBASE III,
// and when 0 is stored); `header` holds `count` bytes.
std::uint32_t StoredBlockSize(MemoKind kind, const unsigned char* header, std::size_t count);

// The next free block at offset 0 of the header (big-endian for FoxPro).
std::uint32_t DecodeNextFree(MemoKind kind, const unsigned char* bytes);
std::array<unsigned char, 4> EncodeNextFree(MemoKind kind, std::uint32_t block);

// The header an entry of `dataLength` bytes gets: the dBASE IV form for both
// DBT kinds, type and length for FoxPro.
EntryHeader EncodeEntryHeader(MemoKind kind, std::uint32_t dataLength);
// The data length an entry header announces; none when the first bytes are
// not an entry header (a dBASE III entry without one). A dBASE IV length
// below 8 is read as 0.
std::optional<std::uint32_t> DecodeEntryHeader(MemoKind kind, const EntryHeader& bytes);
// Blocks a dBASE IV entry of `dataLength` data bytes occupies.
std::uint64_t BlocksForEntry(std::uint64_t dataLength, std::uint32_t blockSize);

}  // namespace pw
