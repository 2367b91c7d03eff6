// Adding a record at the end of the table in the current work area.
#pragma once

namespace pw {

// Appends the record image as a new record, which becomes the current
// record with BOF and EOF clear; the image then shows the values as stored.
// A shared table needs the append lock (code 5 otherwise). The end marker
// follows when the table is closed, flushed or packed.
bool Append();

}  // namespace pw
