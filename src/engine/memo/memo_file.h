// Creating, opening and closing the memo file beside a table. Its name is
// the record file's path with the extension of the memo kind ("DBT", or
// "FPT" for FoxPro), found on disk without regard to case.
#pragma once

#include <string>

#include "engine/memo/memo_format.h"
#include "engine/table/work_area.h"

namespace pw {

// The memo kind byte of the current table: the first byte of its record
// file when that is 0x83, 0x8B, 0x8C or 0xF5, else 0x8B.
unsigned char GetMemoType();

// Creates (or replaces) an empty memo file of kind byte `kind`; `name` gets
// the kind's extension when it has none.
bool CreateMemofile(const std::string& name, unsigned char kind, int blockSize,
                    const std::string& operation);

// The memo file's path beside the record file at `tablePath`: an existing
// file of that name in any case, else the extension in the case of the
// record file's own ("notes.dbf" gets "notes.dbt").
std::string MemoPathForTable(const std::string& tablePath, MemoKind kind);
// The memo file's path for the table open in `area`.
std::string MemoPathOf(const WorkArea& area);

// Opens the memo file of the table in `area` and takes its block size.
// Returns 0 or the reported error code.
int OpenMemofile(WorkArea& area);
// Opens the memo file at `path` for the table in `area`, shared or
// exclusively, and takes its block size. A failure is reported with the I/O
// code and "Memo file not found: <path> [<operation>]". Returns 0 or the code.
int OpenMemoAt(WorkArea& area, const std::string& path, bool shared, const std::string& operation);
// Ends any stream, releases the memo lock, closes the file and forgets the
// memo state. Returns false when the close failed (reported).
bool CloseMemofile(WorkArea& area);

}  // namespace pw
