// Setting the filter of the current work area: a condition compiled once
// and tested on every record a movement visits (visibility.h).
#pragma once

#include <string>

namespace pw {

// Releases the current filter and, unless `expression` is empty or blank,
// compiles it as the new one. A failed compilation is reported by the
// expression unit and leaves no filter. The result type is not checked and
// the position does not change; the caller repositions. Returns false after
// reporting a failure.
bool Set_Filter_To(const std::string& expression);

}  // namespace pw
