// The tags of an existing index file as descriptions and as the two-line
// text form of a table's index list (tag_description.h), so that a table
// can compare the index on disk with the tags it wants.
#pragma once

#include <string>
#include <vector>

#include "engine/index/tag_description.h"
#include "engine/index/tag_header.h"

namespace pw {

// The description of a tag from its name and anchor: key and FOR texts,
// descending (flag 0x08), unique (flag 0x40) and a C key's stored length.
TagDescription DescribeTag(const std::string& name, const TagHeader& anchor);

// Reads the index file `path` (shared read-write, or read-only when that is
// refused) and gives two lines for every tag in tag-table order whose anchor
// can be read and whose name and key text are not empty. False with the
// error reported when the file cannot be opened or its header read.
bool IndexTagList(const std::string& path, std::vector<std::string>* lines);

}  // namespace pw
