// File modification times and absolute path names.
#pragma once

#include <ctime>
#include <string>

namespace pw::platform {

// Stores the last modification time of `path` in `*t`. Returns 0 or an os
// code.
int FileModificationTime(const std::string& path, std::time_t* t);

// Stores in `*full` the absolute path of `name` taken relative to the current
// folder, with "." and ".." components and repeated slashes resolved
// lexically (symbolic links are not followed; the file need not exist).
// Returns 0 or an os code.
int FullPath(const std::string& name, std::string* full);

}  // namespace pw::platform
