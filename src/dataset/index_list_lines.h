// The IndexList property: pairs of lines, a definition "NAME,D,U,key" (name
// up to 10 characters, "T" in the flag places meaning descending and unique,
// key up to 220 characters) followed by the tag's FOR condition (up to 220
// characters, empty for none). A definition without its FOR line is no tag.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

#include "engine/index/tag_description.h"

namespace pw {

// The tag descriptions of the complete pairs; definitions with fewer than
// three commas are left out.
std::vector<TagDescription> IndexListTags(const QStringList& lines);

// Whether the lines read back from an index file equal the wanted ones:
// the same count, and every line equal without regard to case.
bool SameIndexList(const QStringList& wanted, const std::vector<std::string>& stored);

}  // namespace pw
