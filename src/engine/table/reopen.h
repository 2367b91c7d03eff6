// Reopening the current table's record file with another sharing mode, for
// operations that need exclusive access to a shared table for a while.
#pragma once

namespace pw {

// Closes and reopens the file read/write without sharing (exclusive) or with
// the shared open mode; position, header image and buffers are kept.
// Returns 0 or the operating system's code; a table opened exclusively by
// Use is never reopened (5). When the new open is refused the file is opened
// again as it was.
int Reopen(bool exclusive);

}  // namespace pw
