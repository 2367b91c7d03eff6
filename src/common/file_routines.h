// File helpers of the engine: presence, erasing single files and masks,
// unique temporary names, free space, today's files and full paths. Names
// are matched without regard to case, as the data files are. Failures are
// recorded in the engine error state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pw {

// Whether the file exists (and is not a folder).
bool FileIsPresent(const std::string& name);
// Erases the file when nobody else has it open (an exclusive open must
// succeed). Returns 0 or the os code: 2 when missing, 32 when in use.
int EraseFile(const std::string& name);
// Erases one file, or with "*" and "?" every file of the folder that
// matches. Clears the engine error first; records failures.
void EraseFiles(const std::string& mask);
// Full paths of the files the last EraseFiles call could not erase.
const std::vector<std::string>& EraseFailures();
// Creates a new empty file "TZP..." in the temporary folder and returns its
// path; empty when that fails (the error is recorded).
std::string UniqueFilename();
// Free space in KB on the file system of `path` (empty: current folder);
// 2147483647 when unknown or larger.
std::int32_t DiskFreeKB(const std::string& path);
// Whether the file exists, can be opened shared, and was modified today.
bool FileIsFromToday(const std::string& name);
// The absolute path of `name`; `name` itself when that cannot be found out.
std::string FullPathOf(const std::string& name);

}  // namespace pw
