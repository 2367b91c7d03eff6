// Moving to the first visible record of the current work area.
#pragma once

namespace pw {

// The first visible record in index order when the table has index files
// open, else in record-number order; end of file (BOF and EOF set) when no
// record is visible. An empty table stays as it is.
void GoTop();

}  // namespace pw
