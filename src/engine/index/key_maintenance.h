// Keeping every tag of a work area's index in step with its records: keys
// of an appended record, and keys of a rewritten record. Each runs under
// the write semaphore, which has already taken in other programs' changes
// (IndexUpdate): the record being appended is on disk and in no tag yet.
#pragma once

#include "engine/index/index_state.h"
#include "engine/table/work_area.h"

namespace pw {

// `AppendNewKey`: adds the current (just appended) record to every tag in
// slot order; the controlling tag then stands on the record. When a tag or
// a later step fails, the keys already added are removed again (the caller
// takes the record back); a removal that fails reports 254 "Index file
// corrupted. ... [AppendNewKey]".
bool AppendNewKey(WorkArea& area, IndexState& state);
// Before a rewrite, while the record image holds the record as it is on
// disk: every tag notes the record's old key and stands on its item.
bool NoteOldKeys(WorkArea& area, IndexState& state);
// `CompareKeys`: after the rewrite, every tag whose key changed (or whose
// FOR condition no longer holds) trades the old key for the new one.
bool CompareKeys(WorkArea& area, IndexState& state);

}  // namespace pw
