// The name of the controlling tag of the current work area's index. Kept
// apart from the Qt code: the index state's member names collide with Qt's
// keyword macros.
#pragma once

#include <string>

namespace pw {

// Empty in natural order or without an open index.
std::string ControllingTagName();

}  // namespace pw
