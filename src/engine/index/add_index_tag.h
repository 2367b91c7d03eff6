// Adding tags to an index file being built: each tag's expressions are
// checked and compiled against the table in the current work area, the
// trees of all of them are built from one pass over the records
// (tag_build.h), and each tag's tag header and tag-table entry are added in
// the order of the list.
#pragma once

#include <string>
#include <vector>

#include "engine/index/mdx_file_header.h"
#include "engine/index/tag_build.h"
#include "engine/index/tag_description.h"
#include "platform/file.h"

namespace pw {

// An index file open for a build, with the header that collects its tags.
struct IndexBuildTarget {
  std::string path;
  platform::File file;
  MdxHeader header;
};

// Builds the tags of `tags`, up to the first one without a name, and enters
// them in `target`'s header (which is not written here: the caller writes
// it when the build ends). A tag that fails is not entered, and nodes
// already appended for it stay in the file unused; with `stopAtFailure` no
// tag after it is entered. Gives the error of the first tag in the list
// that failed, each reported when it happened; code 0 when none did.
TagFailure AddIndexTags(IndexBuildTarget& target, const std::vector<TagDescription>& tags,
                        bool stopAtFailure);

}  // namespace pw
