// Opening a table in the current work area.
#pragma once

#include <cstdint>
#include <string>

#include "engine/table/use_command.h"

namespace pw {

// Closes the current work area's table; then, unless the file name is
// blank, opens that table (extension DBF when none is given), exclusively
// when asked, under the alias given or else the file's base name, and
// positions it on the first visible record. A caller-supplied record image
// buffer must be exactly the table's record image size. Returns false, with
// the engine error set and the work area empty, when the open fails.
bool UseTable(const UseCommand& open, unsigned char* buffer = nullptr, std::uint16_t size = 0);
// The same for a command text "name [EXCLUSIVE] [ALIAS alias]"
// (use_command.h).
bool Use(const std::string& command, unsigned char* buffer = nullptr, std::uint16_t size = 0);

}  // namespace pw
