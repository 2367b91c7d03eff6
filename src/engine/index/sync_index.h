// Bringing tags in line with the current record of their work area.
#pragma once

#include "engine/index/index_state.h"
#include "engine/table/work_area.h"

namespace pw {

// Positions `tag` on the record: on its key and, for a tag that is not
// unique, on its own item among equal keys. A record outside 1 to the
// record count, or one that fails the FOR condition, puts the tag at its
// last key with EOF set; an empty table sets BOF, EOF and a blank key. BOF
// is left as it was otherwise. A key or record that is missing reports 212.
bool SyncTag(WorkArea& area, IndexState& state, IndexTag& tag);
// `SyncIndex`: the controlling tag on the current record, BOF kept.
bool SyncIndex(WorkArea& area, IndexState& state);
// `SoftSyncIndex`: after another program changed the index, the controlling
// tag on the current record; a record that meets the FOR condition but is
// missing reports 212.
bool SoftSyncIndex(WorkArea& area, IndexState& state);
// The controlling tag's current key and item set from the current record,
// so that the next step starts from it; BOF and EOF are set afresh. The
// other tags keep their positions: whatever uses one of them next (a change
// of order, adding or removing a key) positions it itself.
bool ReloadCurrentKeys(WorkArea& area, IndexState& state);

}  // namespace pw
