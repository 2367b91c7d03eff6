// Committing a file's buffers to disk.
#pragma once

#include "platform/file.h"

namespace pw {

// Asks the operating system to write the file's buffers to disk; reports a
// failure with its code.
bool FlushFile(platform::File& file);

}  // namespace pw
