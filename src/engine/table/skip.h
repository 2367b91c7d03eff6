// Moving over visible records of the current work area.
#pragma once

#include <cstdint>

namespace pw {

// n > 0: forward over n visible records, or to end of file (EOF set, BOF
// clear, blank record) when fewer follow; fails at end of file already.
// n < 0: back over -n visible records, or to the first visible record with
// BOF set when fewer precede; does nothing when BOF is already set.
// n = 0: re-reads the current record (a blank record at end of file).
// Index order when the table has index files open.
void Skip(std::int32_t n);

}  // namespace pw
