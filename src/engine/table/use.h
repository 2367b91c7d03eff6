// Opening a table in the current work area.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

// Closes the current work area's table; then, unless the command is blank,
// opens the table it names ("name [EXCLUSIVE] [ALIAS alias]", the options in
// any order; extension DBF when none is given) and positions it on the first
// visible record. A caller-supplied record image buffer must be exactly the
// table's record image size. Returns false, with the engine error set and the
// work area empty, when the open fails.
bool Use(const std::string& command, unsigned char* buffer = nullptr, std::uint16_t size = 0);

}  // namespace pw
