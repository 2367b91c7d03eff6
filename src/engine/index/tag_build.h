// Building one tag's tree from the table in a work area: a disk-space
// check, one sequential pass over the records (each becomes the current
// record while its key is made), the sort, and the bottom-up write of the
// nodes at the end of the index file.
#pragma once

#include <cstdint>
#include <string>

#include "engine/index/index_key.h"
#include "engine/index/record_key.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/work_area.h"
#include "platform/file.h"

namespace pw {

struct TagBuildPlan {
  UnitState* keyExpression = nullptr;
  UnitState* forExpression = nullptr;  // null without a FOR condition
  KeyRecipe recipe;
  int keyLength = 0;
  int itemLength = 0;
  int maxKeys = 0;
  bool descending = false;
  bool unique = false;
};

struct TagBuildResult {
  std::uint32_t root = 0;
  bool forSatisfied = false;  // some record met the FOR condition
};

// Builds the tree into `file` (the index file `indexPath`). The area's
// current record, position and flags are restored afterwards. False with
// the error reported; the nodes written so far stay in the file.
bool BuildTagTree(WorkArea& area, platform::File& file, const std::string& indexPath,
                  const TagBuildPlan& plan, TagBuildResult* result);

}  // namespace pw
