// Moving off a record that an edit has hidden.
#pragma once

namespace pw {

// When the current record is no longer visible (deleted while deleted
// records are hidden, or no longer passing the filter): releases the work
// area's locks and moves to the next visible record, or to the previous one
// when none follows. Returns whether it moved.
bool Resync();

}  // namespace pw
