// Opening a work area's index file again, for a table whose sharing mode
// changed while the index was open (a pack takes a shared table
// exclusively, rebuilds the index, and gives the table back).
#pragma once

#include "engine/table/work_area.h"

namespace pw {

// Closes the area's index and opens the same file again in the table's
// present mode: shared (logged in to the semaphore) or exclusive. The
// controlling tag and the natural-order flag stay as they were, and every
// tag stands on the current record. True without an open index.
bool ReopenIndex(WorkArea& area);

}  // namespace pw
