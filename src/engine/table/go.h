// Moving to a record by its number, whatever its visibility.
#pragma once

#include <cstdint>

namespace pw {

// Reads record n. A number outside 1 .. record count fails with 212 and
// leaves end of file (EOF set) with the record image as it was; on an empty
// table BOF is set as well and the record is blank. The count of a shared
// table is refreshed first when n lies beyond it.
void Go(std::int32_t n);

// Go for the index engine: no refresh, no hooks, BOF left as it is; n beyond
// the record count gives end of file with a blank record. Failures are
// reported with " [Dbf4RawGo]".
void RawGo(std::int32_t n);

}  // namespace pw
