// Free space on the file system that holds a path.
#pragma once

#include <cstdint>
#include <string>

namespace pw::platform {

// Stores in `*bytes` the space available to this user on the file system
// holding `path` (the current folder when empty). Returns 0 or an os code.
int FreeDiskBytes(const std::string& path, std::uint64_t* bytes);

}  // namespace pw::platform
