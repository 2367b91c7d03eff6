// Locating a record by several fields at once: the record-set layer's
// locate and lookup.
#pragma once

#include <string>
#include <vector>

#include "engine/table/locate_value.h"

namespace pw {

// Searches the fields of `fieldList` (names separated by ";") for the
// values of `values`, element i for the i-th name, from record 1 on, and
// lands on the first visible record in which every field matches (see
// LocateField for the options). Unless `stay` and found, goes back to the
// record that was current before. Fewer values than fields: 220, not found.
bool LocateFields(const std::string& fieldList, const std::vector<LocateValue>& values,
                  bool caseInsensitive, bool exact, bool stay);

}  // namespace pw
