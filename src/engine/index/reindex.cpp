#include "engine/index/reindex.h"

#include <new>
#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/index_state.h"
#include "engine/index/index_tag_list.h"
#include "engine/index/make_index.h"
#include "engine/index/reopen_index.h"
#include "engine/table/work_areas.h"

namespace pw {

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
  // An index that holds no tag has lost its tag table (a damaged count at
  // header byte 28): rebuilding it would throw every tag away.
  if (tags.empty()) {
    SetError(kMdxCorrupted, "Invalid dBASE key expression or corrupted index file " +
                                state->fileName + " [Reindex()]");
    return false;
  }
  const IndexSelection selection = SelectionOf(*state);
  bool rebuilt;
  {
    // A refusal is reported once the old index is open again: a dispatch
    // may raise or end the process.
    AutoDispatchOff quiet;
    rebuilt = RebuildIndex(tags, selection.fileName);
  }
  if (rebuilt) return OpenIndexAgain(selection);
  const std::uint16_t code = EngineErrorCode();
  const std::string detail = TakeDetailText();
  {
    AutoDispatchOff quiet;
    OpenIndexAgain(selection);
  }
  SetError(code, detail);
  return false;
}

}  // namespace pw
