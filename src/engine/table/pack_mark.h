// The mark a pack leaves beside an indexed table ("<table file>.$$R") from
// before it changes the table until the index is rebuilt for the packed
// records: a pack killed in between leaves an index that names the old
// record numbers, and the mark tells the next open of the index to rebuild
// it first.
#pragma once

#include <string>

namespace pw {

std::string PackMarkPath(const std::string& tablePath);
bool PackMarked(const std::string& tablePath);
// Returns 0 or the I/O code.
int MarkPackBegun(const std::string& tablePath);
int ClearPackMark(const std::string& tablePath);

}  // namespace pw
