// Adding one tag to an index file being built: the tag's expressions are
// checked and compiled against the table in the current work area, its tree
// is built from every record, and its tag header and tag-table entry are
// added.
#pragma once

#include <string>

#include "engine/index/mdx_file_header.h"
#include "engine/index/tag_description.h"
#include "platform/file.h"

namespace pw {

// An index file open for a build, with the header that collects its tags.
struct IndexBuildTarget {
  std::string path;
  platform::File file;
  MdxHeader header;
};

// Builds the tag and enters it in `target`'s header (which is not written
// here: the caller writes it when the build ends). False with the error reported; the tag is then
// not entered, and nodes already appended stay in the file unused.
bool AddIndexTag(IndexBuildTarget& target, const TagDescription& tag);

}  // namespace pw
