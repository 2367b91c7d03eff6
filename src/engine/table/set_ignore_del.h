// Switching the hiding of deleted records for the current work area.
#pragma once

namespace pw {

// Stores the hide-deleted flag and re-reads the current record (Skip(0));
// returns the previous flag. It stays on a record that has just become
// hidden: Resync moves off it.
bool SetIgnoreDel(bool hide);

}  // namespace pw
