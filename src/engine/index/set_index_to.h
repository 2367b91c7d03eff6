// Opening an existing index file for the table in the current work area.
#pragma once

#include <string>

namespace pw {

// Closes the area's index and opens the index file `fileName`
// (index_file_name.h; empty for the production index) with all its tags,
// logging in to the index semaphore when the table is shared. The file is
// opened read-only, outside the semaphore, when the table is read-only or
// the file refuses writing with 5 or 32. Every
// tag's key and FOR texts are normalised and compiled, and a C key must
// have its stored length on the blank record. Tag 1 becomes the
// controlling tag, positioned on its first key. False with the error
// reported: 2 for a missing file, the system's code when it cannot be
// opened, 222 for a file that is not an index or a tag that does not
// compile, 266 for a key length that does not match, 217 without memory.
bool SetIndexTo(const std::string& fileName);

}  // namespace pw
