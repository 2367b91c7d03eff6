// Closing the tables of the work areas.
#pragma once

namespace pw {

// Closes the table in the current work area (index files, locks, memo file,
// filter, record file) and empties the work area; an empty one is left alone.
// A shared table's record count is first refreshed from the file size, so the
// prolog written at close counts every record in the file.
void CloseWorkArea();

// Closes work areas 1 to 33 and selects work area 1.
void CloseAll();

// Makes sure the tables still open when the process ends are closed then.
void CloseAllAtExit();

}  // namespace pw
