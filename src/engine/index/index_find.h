// Finding a record by key in the controlling order of the current work area.
#pragma once

#include <string>

namespace pw {

// Positions on the first visible record whose key begins with `keyText`
// (at most 100 characters). Not found: the table is at EOF. Without an
// index 221; in natural order 254. An empty text does nothing.
bool Find(const std::string& keyText);
// Find with exact comparison on for the search: C texts are padded with
// blanks to the key length and compared over all of it.
bool FindExact(const std::string& keyText);
// What the last Find of the current work area left.
bool Found();

}  // namespace pw
