// Searching the text of one memo entry, line by line, for a locate.
#pragma once

#include <string>

namespace pw {

// Whether `search` occurs within one line of the memo entry whose first
// block is stored as `stored` (the memo field's characters), upper-cased
// first when the locate state is not case-sensitive. An empty search text
// and an empty memo (block below 1) match nothing. Without the memo unit:
// reports 220 and answers false.
bool MemoContains(const std::string& search, const std::string& stored);

}  // namespace pw
