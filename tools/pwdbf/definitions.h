// The field and tag lists that create and reindex take on their command
// lines, parsed into the engine's definitions. Every parser throws ToolError
// for a definition it cannot read.
#pragma once

#include <string>
#include <vector>

#include "engine/index/tag_description.h"
#include "engine/table/field_def.h"

namespace pw::pwdbf {

// "NAME,TYPE,LENGTH,DECIMALS;..."; D, L and M may leave out their length,
// and every type its decimals.
std::vector<FieldDef> ParseFieldList(const std::string& text);

// "NAME,DESCENDING,UNIQUE,key expression[ FOR condition];...".
std::vector<TagDescription> ParseTagList(const std::string& text);

}  // namespace pw::pwdbf
