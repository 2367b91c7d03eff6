// The record file header: checked when a table is opened, composed when one
// is created, and its prolog rewritten when a table is closed or flushed.
//
// Layout (integers little-endian):
//
//   prolog, 32 bytes (every version but 0x02)
//     0   version byte: 0x03, 0x83, 0x8B, 0xF5 (32-byte descriptors),
//         0x04, 0x8C (level 7, 48-byte descriptors); bit 7 = has a memo
//     1-3 date of the last update: year - 1900, month, day
//     4   record count, unsigned 32-bit
//     8   header length, 16-bit: 32 + 32 * fields + 1 (level 7: 68 + 48 * fields + 1)
//     10  record length, 16-bit, deletion flag included
//     12  reserved, kept
//     16  12-byte multi-user area: re-read from the file before every write
//     28  production-index flag (1 = an index file of the same base name)
//     29  language driver id, kept; new tables: 0x02 for code page 850 text,
//         0x03 for Windows-1252; 30-31 reserved
//   level 7 only: a 36-byte extension (driver name, 4 reserved), ignored
//   descriptors, one per field:
//     32-byte form: name 0 (11, NUL-padded), type 11, length 16, decimals 17
//     48-byte form: name 0 (32; 11 read), type 32, length 33, decimals 34
//   terminator 0x0D; it may come before the header length says, which ends
//     the field list there
//   records from the header length on, record length bytes each: the
//     deletion flag (' ' live, '*' deleted), then the fields without gaps
//   end marker 0x1A after the last record
//
//   dBASE II (0x02): a fixed 521-byte header. Prolog: 0 version, 1 record
//   count (16-bit), 3 month, 4 day, 5 year - 1900, 6 record length (16-bit).
//   32 descriptors of 16 bytes from offset 8: name 0 (11), type 11, length
//   12, decimals 15; the list ends at the first one starting with 0x0D.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/table/field_def.h"
#include "engine/table/work_area.h"

namespace pw {

inline constexpr std::size_t kPrologSize = 32;
inline constexpr std::size_t kProductionIndexByte = 28;
inline constexpr std::size_t kLanguageDriverByte = 29;
inline constexpr unsigned char kLanguageCodePage850 = 0x02;
inline constexpr unsigned char kLanguageCodePage1252 = 0x03;
inline constexpr unsigned char kHeaderTerminator = 0x0D;
inline constexpr unsigned char kEndMarker = 0x1A;
inline constexpr unsigned char kVersionDbase2 = 0x02;
inline constexpr unsigned char kVersionNoMemo = 0x03;
inline constexpr unsigned char kVersionDbase4Memo = 0x8B;

bool IsAcceptedVersion(unsigned char version);
bool HasMemoVersion(unsigned char version);
// The memo file's extension ("FPT" for 0xF5, "DBT" otherwise) and kind.
std::string MemoExtension(unsigned char version);
unsigned char MemoKind(unsigned char version);

// An open refused: the engine error code and its detail text.
struct HeaderFailure {
  std::uint16_t code = 0;
  std::string detail;
};

// Reads and checks the header of `area.file`, whose size is `fileSize`, and
// fills the prolog image, memo flag, lengths, record count, field table and
// raw record buffer; the header state becomes clean. The file and the area
// are left for the caller to clean up when the result carries a code.
HeaderFailure ReadDbfHeader(WorkArea& area, std::uint64_t fileSize);

// The record count the prolog image holds (bytes 4-7; dBASE II bytes 1-2),
// which may lag behind the records of a shared table.
std::uint32_t PrologRecordCount(const WorkArea& area);

// The complete header of a new table with `entries` (offsets ignored); false
// for a bad field definition.
bool ComposeDbfHeader(const std::vector<FieldDef>& entries, std::vector<unsigned char>& header);

// Rewrites the prolog with today's date and the record count, and when
// records were appended writes the end marker after the last one; the header
// state becomes clean. Returns 0 or the operating system's code.
int WriteDbfHeader(WorkArea& area);

}  // namespace pw
