// Writing the record image over the current record.
#pragma once

namespace pw {

// Writes the record image as the current record; the image then shows the
// values as stored. Fails with 212 on an empty table or at end of file, and
// on a shared table with 1200 unless the record is locked. With index files
// open the old record's keys are noted first and changed keys replaced.
bool Replace();

}  // namespace pw
