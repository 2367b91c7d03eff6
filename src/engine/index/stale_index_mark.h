// The mark a pack leaves beside the index ("<index file>.$$R") from before
// it changes the table until the index is rebuilt for the packed records:
// a pack killed in between leaves an index that names the old record
// numbers, and the mark tells the next open to rebuild it first.
#pragma once

#include <string>

namespace pw {

std::string StaleMarkPath(const std::string& indexPath);
bool IndexMarkedStale(const std::string& indexPath);
// Returns 0 or the I/O code.
int MarkIndexStale(const std::string& indexPath);
int ClearStaleMark(const std::string& indexPath);

}  // namespace pw
