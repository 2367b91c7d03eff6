#include "engine/index/reindex.h"

#include <new>
#include <string>
#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/index_order.h"
#include "engine/index/index_state.h"
#include "engine/index/index_tag_list.h"
#include "engine/index/make_index.h"
#include "engine/index/set_index_to.h"
#include "engine/table/work_areas.h"

namespace pw {

namespace {

// Opens the index file again with `controlling` (empty: none) in control.
bool ReopenIndex(const std::string& fileName, const std::string& controlling) {
  if (!SetIndexTo(fileName)) return false;
  return controlling.empty() || SetOrderToTag(controlling);
}

}  // namespace

bool Reindex() {
  ClearEngineError();
  if (CheckInUse("Reindex()")) return false;
  WorkArea& area = CurrentArea();
  IndexState* state = AreaIndex(area);
  if (state == nullptr) {
    SetError(kIndexNotOpen, "Index not open. (DBF=" + area.fileName + ") [Reindex()]");
    return false;
  }
  std::vector<TagDescription> tags;
  try {
    for (int n = 1; n <= state->TagCount(); ++n) {
      const IndexTag* tag = state->TagNumbered(n);
      if (tag != nullptr) tags.push_back(DescribeTag(tag->name, tag->anchor));
    }
  } catch (const std::bad_alloc&) {
    SetError(kOutOfMemory, area.fileName + " [Reindex()]");
    return false;
  }
  const std::string controlling = state->Controlling() != nullptr ? state->Controlling()->name : "";
  const std::string fileName = state->fileName;
  bool rebuilt;
  {
    // A refusal is reported once the old index is open again: a dispatch
    // may raise or end the process.
    AutoDispatchOff quiet;
    rebuilt = RebuildIndex(tags, fileName);
  }
  if (rebuilt) return ReopenIndex(fileName, controlling);
  const std::uint16_t code = EngineErrorCode();
  const std::string detail = TakeDetailText();
  {
    AutoDispatchOff quiet;
    ReopenIndex(fileName, controlling);
  }
  SetError(code, detail);
  return false;
}

}  // namespace pw
