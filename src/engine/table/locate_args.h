// Reading the field argument of a locate: a field name followed by the
// options NOCASE and EXACT in any order.
#pragma once

#include <string>

namespace pw {

// Sets the locate state's case-sensitive and exact flags from the options
// and returns the number of the field named; 0 after reporting 215 (no
// table), or 220 for an empty or unknown name.
int ParseLocateArgs(const std::string& text);

}  // namespace pw
