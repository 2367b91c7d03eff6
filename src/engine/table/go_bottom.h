// Moving to the last visible record of the current work area.
#pragma once

namespace pw {

// The last visible record in index order when the table has index files
// open, else in record-number order; end of file with BOF and EOF set when no
// record is visible. The record count of a shared table is refreshed first,
// so records appended by another process are reached. An empty table stays
// as it is.
void GoBottom();

}  // namespace pw
