// The bracket around one update of an indexed table (an append or a
// rewrite, with the keys of every tag): the write semaphore of a shared
// table and the update's undo journal (update_journal.h).
#pragma once

#include "engine/index/index_state.h"
#include "engine/table/work_area.h"

namespace pw {

// Takes the write semaphore and other programs' changes, then saves the
// table's length and the place of a new record in the journal. False with
// the error reported.
bool BeginIndexUpdate(WorkArea& area, IndexState& state);
// Before a rewrite: saves the current record's bytes in the journal.
bool NoteRecordBeforeRewrite(WorkArea& area, IndexState& state);
// The update is over, done or taken back: the journal is emptied and the
// write semaphore released.
bool EndIndexUpdate(WorkArea& area, IndexState& state);

// Undoes an update a killed program left (a hot journal), for a program
// that holds the index semaphore's lock or the table exclusively.
// `*rolledBack` tells whether something was undone; the record count is
// then taken from the file again. Returns 0 or the reported error code.
int RecoverInterruptedUpdate(WorkArea& area, IndexState& state, bool* rolledBack);

}  // namespace pw
