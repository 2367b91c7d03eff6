// Finding data files without regard to the case of their names, so that
// "Notes.dbf" and "notes.dbf" name one file on a case-sensitive file system.
#pragma once

#include <string>

namespace pw::platform {

// The path of an existing entry in the folder of `path` whose name matches
// the last component of `path` in any ASCII case; an exact match wins, and
// among several other matches the smallest name in byte order. Returns
// `path` unchanged when nothing matches. Only the last component is matched
// loosely; the folder part must exist as written.
std::string ResolvePathNoCase(const std::string& path);

// Whether `path` names an existing entry that is not a folder.
bool FileExists(const std::string& path);

}  // namespace pw::platform
