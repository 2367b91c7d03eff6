// The production-index flag of the current table: prolog byte 28 says that
// an index file of the table's base name belongs to it.
#pragma once

namespace pw {

// false for an empty work area and for dBASE II tables.
bool ProductionIndexFlag();
// Stores the flag and writes a change to byte 28 at once; when that write is
// not possible, a clean header becomes dirty so that the close writes the
// prolog. dBASE II tables and empty work areas are left alone.
void ProductionIndexFlag(bool on);

}  // namespace pw
