// Creating a multi-tag index file for the table in the current work area.
#pragma once

#include <string>
#include <vector>

#include "engine/index/tag_description.h"

namespace pw {

// Closes any index open in the area, replaces the index file `fileName`
// (index_file_name.h; empty for the production index) by a new one and
// builds every tag of `tags` in order, up to the first one without a name.
// A shared table is reopened exclusively for the build when the old file
// cannot be deleted, and shared again afterwards. The index is left closed.
// True when every tag was built.
bool MakeIndex(const std::vector<TagDescription>& tags, const std::string& fileName);

}  // namespace pw
