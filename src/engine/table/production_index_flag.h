// The production-index flag of the current table: prolog byte 28 says that
// an index file of the table's base name belongs to it.
#pragma once

namespace pw {

// false for an empty work area and for dBASE II tables.
bool ProductionIndexFlag();
// Stores the flag; a change makes a clean header dirty so that the prolog is
// written at close. dBASE II tables and empty work areas are left alone.
void ProductionIndexFlag(bool on);

}  // namespace pw
