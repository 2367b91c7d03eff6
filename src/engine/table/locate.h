// Locate: a sequential search of one field of the current table, in
// physical order and past indexes, for a value in the field's stored form,
// landing on the first visible record that matches. A character field
// matches when it begins with the search text, or with EXACT when the whole
// field (trailing blanks included) equals the padded text; number fields
// compare their whole right-aligned text; a memo field matches when one line
// of its text contains the search text. The search text, options and field
// stay in the locate state for Continue.
#pragma once

#include <cstdint>
#include <string>

#include "engine/table/locate_value.h"

namespace pw {

// Searches field `fieldText` (a name; what follows its first blank is
// ignored) for `value` from record `start` on and lands on the first visible
// match; at end of file when there is none. false at once for an empty
// name; false without moving after ParseLocateArgs has reported an unknown
// field or no table.
bool LocateField(const std::string& fieldText, const LocateValue& value, bool caseInsensitive,
                 bool exact, std::int32_t start);

// The search itself, from record `start` to the record count as it stands:
// compares every record, hidden ones included, and goes to the first match.
// Without one it ends at end of file and clears the locate field. `first`
// brings the locate state's search text into its compared form (trailing
// blanks removed unless exact, upper case unless case-sensitive) and makes
// `field` the locate field.
void LocateScan(std::int32_t start, int field, bool first);

// Searches on from the record after the current one with the text, options
// and field of the locate that found it, and lands on the next visible
// match. Returns whether it found one; 220 when no locate found a record.
bool Continue();

}  // namespace pw
