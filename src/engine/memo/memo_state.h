// The memo state a table holds while it is open: the memo file, its kind
// and block size, the memo-locked flag and the table's one stream descriptor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/memo/field_rewrite.h"
#include "engine/memo/memo_format.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/work_area.h"
#include "platform/file.h"

namespace pw {

enum class TextMode { Undecided = -1, Binary = 0, Text = 1 };

struct BlobDescriptor {
  bool active = false;
  int mode = 0;              // 1 reading, 2 writing
  std::int64_t length = -1;  // data length; -1 while unknown
  std::uint64_t dataStart = 0;
  std::uint32_t headerSize = 0;  // 8 with an entry header, else 0
  std::int64_t position = 0;     // relative to dataStart
  std::int32_t block = 0;
  TextMode textMode = TextMode::Binary;

  // A write stream touches the file only once its first byte comes: the
  // padding of the old end up to the entry's block and the header's next
  // available block are written then, and put back when a write fails.
  std::uint64_t sizeBefore = 0;
  std::uint32_t nextFreeBefore = 0;
  bool started = false;
  bool failed = false;
};

struct MemoState final : UnitState {
  platform::File file;
  std::string path;
  MemoKind kind = MemoKind::Dbase4;
  std::uint32_t blockSize = kDefaultMemoBlockSize;
  bool locked = false;
  // Whether appending writers take the memo lock: a shared table.
  bool shared = false;
  BlobDescriptor stream;
  // A read-only open of a table whose memo pack was interrupted: the pack
  // is left to the next read-write open, and when the memo file is already
  // the packed one, the memo fields are seen as the pack rewrites them
  // (sorted by record).
  bool packInterrupted = false;
  std::vector<FieldRewrite> packedFields;
};

// The memo state of a table; null when it has no open memo file.
MemoState* MemoOf(WorkArea& area);

// The memo available check of the current work area: reports 215 for an
// empty work area and 1019 for a table without an open memo file, then
// answers null.
MemoState* CheckMemoAvailable(const std::string& operation);

// "<block> <memo path> Record # <n> [<operation>]" with `code`.
void ReportStreamError(std::uint16_t code, std::int64_t block, const std::string& operation);
// "<memo path> [<operation>]" with `code`.
void ReportMemoError(const MemoState& memo, std::uint16_t code, const std::string& operation);

}  // namespace pw
