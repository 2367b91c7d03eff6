// Creating a multi-tag index file for the table in the current work area.
#pragma once

#include <string>
#include <vector>

#include "engine/index/tag_description.h"

namespace pw {

// Closes any index open in the area, builds every tag of `tags` in order, up
// to the first one without a name, into a new file and renames it over the
// index file `fileName` (index_file_name.h; empty for the production index):
// at every instant the file on disk is the old index or the complete new
// one. A tag that fails is left out of the new file. The old file is held
// exclusively during the build; a shared table is reopened exclusively for
// it when another open keeps the old file, and shared again afterwards. The
// index is left closed. True when every tag was built.
bool MakeIndex(const std::vector<TagDescription>& tags, const std::string& fileName);

// MakeIndex for a rebuild: the first tag that fails ends it, and the old
// file stays as it was.
bool RebuildIndex(const std::vector<TagDescription>& tags, const std::string& fileName);

}  // namespace pw
