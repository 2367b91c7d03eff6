// The record count of an open table taken from the file size: the number of
// whole records between the header and the end of the file. A trailing end
// marker or a partly written record never counts.
#pragma once

#include <cstdint>

#include "engine/table/work_area.h"

namespace pw {

// Whole records in a file of `fileSize` bytes.
std::int32_t RecordCountForSize(const WorkArea& area, std::uint64_t fileSize);

// Record count := the count from the current file size. Returns 0 or the
// operating system's code; the count stays as it was when the size cannot be
// read. The caller reports a failure.
int DeriveRecordCount(WorkArea& area);

// As DeriveRecordCount for a table open in shared mode; a table opened
// exclusively trusts its in-memory count.
int RefreshRecordCount(WorkArea& area);

}  // namespace pw
