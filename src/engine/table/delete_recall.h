// Marking the current record deleted or not deleted. Only the deletion flag
// byte is written; index files are never touched.
#pragma once

namespace pw {

// Sets the deleted flag; at end of file or on an empty table it does nothing.
// A shared table needs the record locked (1200 otherwise).
bool DeleteRec();
// Clears the deleted flag; fails with 1103 when there is no current record.
// A shared table needs the record locked (1200 otherwise).
bool RecallRec();

}  // namespace pw
