// The position and size of the table in the current work area.
#pragma once

#include <cstdint>

namespace pw {

// End of file: true when the record number lies beyond the (refreshed)
// record count, or, with index files open, when the index says so. True when
// no table is in use.
bool dEOF();
// Beginning of file (from the index when index files are open). True when no
// table is in use.
bool dBOF();
// The current record number; 0 when no table is in use.
std::int32_t RecNo();
// The record count, refreshed from the file size for a shared table.
std::int32_t RecCount();
// The record length in bytes, deletion flag included.
std::int32_t RecSize();

}  // namespace pw
