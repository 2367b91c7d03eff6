// Copying a memo entry from another table's memo file into the current
// table's (appending records from one table to another).
#pragma once

#include <cstdint>

namespace pw {

// Copies entry `block` of the memo file of the table in work area
// `sourceArea` byte for byte into the current table's memo file (a dBASE
// III entry without header ends at its first 0x1A or NUL). Returns the new
// block; 0 for block 0, or after reporting a failure.
std::int32_t CopyMemo(int sourceArea, std::int32_t block);

}  // namespace pw
