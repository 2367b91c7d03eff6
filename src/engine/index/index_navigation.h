// First, last, next and prior in the controlling order of a work area (or
// in record-number order while the natural-order flag is set), and the
// check for changes another program made to the index.
#pragma once

#include "engine/index/index_state.h"
#include "engine/table/work_area.h"

namespace pw {

// When the semaphore saw another program's update (or another work area's),
// or the file's length changed under the nodes kept: every anchor is read
// again and every node copy dropped, and the update counts as seen. `*changed` tells whether there
// was one. False after a reported error.
bool TakeInForeignChanges(IndexState& state, bool* changed);
// TakeInForeignChanges, then, after a change, the current record re-read and
// the controlling tag brought back to it (SoftSyncIndex). For readers: the
// record must be one the index holds.
bool CheckForeignChanges(WorkArea& area, IndexState& state);

// Each gives a record number: record count + 1 when the order holds no key
// (BOF and EOF set), the same record as before at either end (EOF or BOF
// set), 0 after a reported error.
long FirstRecord(WorkArea& area, IndexState& state);
long LastRecord(WorkArea& area, IndexState& state);
long NextRecord(WorkArea& area, IndexState& state);
long PriorRecord(WorkArea& area, IndexState& state);

}  // namespace pw
