// Where the index file of the table in a work area lives. An empty name is
// the production index: the table's base name with the extension MDX. A
// name without a folder is taken to be in the table's folder, and a name
// without an extension gets MDX. An existing file is found in any case;
// the extension of a new one is "mdx" when the table's own extension is
// lower case ("Notes.dbf": "Notes.mdx"), "MDX" otherwise.
#pragma once

#include <string>

#include "engine/table/work_area.h"

namespace pw {

std::string IndexFilePath(const WorkArea& area, const std::string& name);

}  // namespace pw
