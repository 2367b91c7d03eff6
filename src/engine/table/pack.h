// Packing a table: removing every record marked deleted.
#pragma once

namespace pw {

// Removes every record marked deleted from the current table; the kept
// records keep their order and their numbers close up, and the table is
// positioned on record 1 (or empty, with BOF and EOF). The packed file is
// written beside the table and put in its place in one step, so a crash
// leaves on disk either the old table or the packed one, never a mix; a
// failure leaves the old table untouched. A shared table is reopened
// exclusively for the work and shared again afterwards; when another open
// holds it, Pack returns false without reporting an error. The memo file is
// packed and the index files rebuilt through their units' hooks.
bool Pack();

}  // namespace pw
