// Temporary files: new, empty, uniquely named files in the system's
// temporary folder (index builds write their sorted runs there).
#pragma once

#include <string>

namespace pw::platform {

// $TMPDIR, or /tmp when it is unset or empty; without a trailing slash.
std::string TempFolder();

// Creates a new empty file in TempFolder() named `prefix` followed by a
// unique suffix and stores its path in `*path`. Returns 0 or an os code
// (3 when the temporary folder does not exist); `*path` is emptied on failure.
int CreateTempFile(const std::string& prefix, std::string* path);

}  // namespace pw::platform
