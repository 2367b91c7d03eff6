#include "engine/index/index_navigation.h"

#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/sync_index.h"
#include "engine/index/tag_locate.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/tag_walk.h"
#include "engine/table/record_io.h"

namespace pw {
namespace {

// No key to visit: an empty table, or a FOR condition no record has met.
bool NothingToVisit(const WorkArea& area, const IndexTag& tag) {
  return area.recordCount == 0 || (tag.anchor.HasFor() && !tag.anchor.ForSatisfied());
}

long EmptyOrder(const WorkArea& area, IndexTag& tag) {
  tag.bof = tag.eof = true;
  return area.recordCount + 1L;
}

long Here(const WorkArea& area, const IndexTag& tag) {
  return tag.bof && tag.eof ? area.recordCount + 1L : static_cast<long>(RecordAt(tag));
}

// The path was filled by another tag: the tag's own item is found again by
// its key and record number.
bool Refind(WorkArea& area, IndexState& state, IndexTag& tag, const char* operation) {
  if (!OnItem(tag)) return ReloadCurrentKeys(area, state);
  const std::uint32_t record = RecordAt(tag);
  const std::string key = tag.currentKey;
  const bool bof = tag.bof;
  if (!SeekKey(state, tag, reinterpret_cast<const unsigned char*>(key.data()), tag.order,
               SeekMode::kFind)) {
    return false;
  }
  // A tag that lost its last key has no place left: the step finds the end.
  if (tag.bof && tag.eof) return true;
  bool found = false;
  if (!PlaceOnRecord(state, tag, key, record, &found)) return false;
  if (!found) {
    SetError(kInternalError, std::string(" [") + operation + "]");
    return false;
  }
  tag.bof = bof;
  return true;
}

long Edge(WorkArea& area, IndexState& state, bool last) {
  if (!CheckForeignChanges(area, state)) return 0;
  if (state.naturalOrder) return last ? area.recordCount : 1;
  IndexTag& tag = *state.Controlling();
  if (NothingToVisit(area, tag)) return EmptyOrder(area, tag);
  if (!SeekEdge(state, tag, last)) return 0;
  return Here(area, tag);
}

}  // namespace

bool TakeInForeignChanges(IndexState& state, bool* changed) {
  *changed = false;
  if (state.semaphore == nullptr) return true;
  FollowUpdateCounter(state);
  *changed = state.semaphore->ChangedSinceSeen();
  // A program that wrote outside the semaphore shows in the file's length,
  // which new nodes are placed after. Changes of this program's own that
  // wait for a write-back leave the length as the cache has it.
  const bool measure = !state.nodes.HasChanges();
  std::uint64_t length = 0;
  if (measure) {
    if (const int code = state.file.Size(&length)) {
      SetError(static_cast<std::uint16_t>(code),
               "Error reading index file: " + state.fileName + " [SeekAndRead]");
      return false;
    }
    *changed = *changed || (state.nodes.LengthKnown() && state.nodes.Length() != length);
  }
  if (*changed) {
    if (!ReloadAnchors(state)) return false;
    state.semaphore->MarkSeen();
  }
  if (measure) state.nodes.SetLength(length);
  return true;
}

bool CheckForeignChanges(WorkArea& area, IndexState& state) {
  bool changed = false;
  if (!TakeInForeignChanges(state, &changed)) return false;
  if (!changed) return true;
  if (area.recordNumber >= 1 && area.recordNumber <= area.recordCount) {
    const bool bof = area.bof;
    const bool eof = area.eof;
    if (ReadRecord(area, area.recordNumber) != 0) return false;
    area.bof = bof;
    area.eof = eof;
  }
  return state.naturalOrder || SoftSyncIndex(area, state);
}

long FirstRecord(WorkArea& area, IndexState& state) {
  return Edge(area, state, false);
}

long LastRecord(WorkArea& area, IndexState& state) {
  return Edge(area, state, true);
}

long NextRecord(WorkArea& area, IndexState& state) {
  if (!CheckForeignChanges(area, state)) return 0;
  if (state.naturalOrder) {
    if (area.recordNumber < area.recordCount) return area.recordNumber + 1L;
    area.eof = true;
    return area.recordNumber;
  }
  IndexTag& tag = *state.Controlling();
  if (NothingToVisit(area, tag)) return EmptyOrder(area, tag);
  if (tag.eof) {
    // Past the end already: back on the last key, still at EOF.
    if (!SeekEdge(state, tag, true)) return 0;
    tag.eof = true;
    return Here(area, tag);
  }
  if (state.pathTag != tag.number && !Refind(area, state, tag, "_FindNextRec")) return 0;
  if (!StepForward(state, tag)) return 0;
  return Here(area, tag);
}

long PriorRecord(WorkArea& area, IndexState& state) {
  if (!CheckForeignChanges(area, state)) return 0;
  if (state.naturalOrder) {
    if (area.recordNumber > 1) return area.recordNumber - 1L;
    area.bof = true;
    return area.recordNumber;
  }
  IndexTag& tag = *state.Controlling();
  if (NothingToVisit(area, tag)) return EmptyOrder(area, tag);
  if (tag.eof) {
    // Past the end: the step back lands on the last key.
    if (!SeekEdge(state, tag, true)) return 0;
    return Here(area, tag);
  }
  if (tag.bof) {
    if (!SeekEdge(state, tag, false)) return 0;
    tag.bof = true;
    return Here(area, tag);
  }
  if (state.pathTag != tag.number && !Refind(area, state, tag, "_FindPriorRec")) return 0;
  if (!StepBackward(state, tag)) return 0;
  return Here(area, tag);
}

}  // namespace pw
