#include "engine/index/sync_index.h"

#include <cstdint>
#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/tag_locate.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/tag_record.h"
#include "engine/index/tag_walk.h"
#include "engine/table/record_io.h"

namespace pw {
namespace {

bool InRange(const WorkArea& area) {
  return area.recordNumber >= 1 && area.recordNumber <= area.recordCount;
}

std::string Quoted(IndexTag& tag) {
  return "\"" + RecordKeyText(tag) + "\"";
}

// The tag after its last key, as for a record it does not hold.
bool PastLastKey(WorkArea& area, IndexState& state, IndexTag& tag) {
  if (area.recordCount == 0) {
    tag.currentKey.assign(tag.currentKey.size(), ' ');
    tag.bof = tag.eof = true;
    return true;
  }
  const bool bof = tag.bof;
  if (!SeekEdge(state, tag, true)) return false;
  tag.bof = tag.bof || bof;
  tag.eof = true;
  return true;
}

}  // namespace

bool SyncTag(WorkArea& area, IndexState& state, IndexTag& tag) {
  if (!InRange(area) || !MeetsFor(tag)) return PastLastKey(area, state, tag);
  const std::string key = KeyOfRecord(tag);
  const bool wasBof = tag.bof;
  if (!SeekKey(state, tag, reinterpret_cast<const unsigned char*>(key.data()), tag.order,
               SeekMode::kFind)) {
    return false;
  }
  tag.bof = wasBof;
  if (tag.eof || !KeyAtEquals(tag, key)) {
    // A unique tag holds one record per key: when that record took another
    // key, the others with the old key are left out, and the tag stands
    // where the key would be.
    if (tag.anchor.Unique()) return true;
    SetError(kOutOfRange, "Key: " + Quoted(tag) + " not in index: " + IndexTagText(state, tag) +
                              ". [SyncIndex-1] Record: " + std::to_string(area.recordNumber));
    return false;
  }
  if (tag.anchor.Unique()) return true;
  bool found = false;
  const auto record = static_cast<std::uint32_t>(area.recordNumber);
  if (!PlaceOnRecord(state, tag, key, record, &found)) return false;
  if (!found) {
    tag.eof = false;
    SetError(kOutOfRange, "Record with key: " + Quoted(tag) +
                              " not in index: " + IndexTagText(state, tag) + ". [SyncIndex-2]");
    return false;
  }
  return true;
}

bool SyncIndex(WorkArea& area, IndexState& state) {
  return state.Controlling() == nullptr || SyncTag(area, state, *state.Controlling());
}

bool SoftSyncIndex(WorkArea& area, IndexState& state) {
  IndexTag* tag = state.Controlling();
  if (tag == nullptr) return true;
  if (area.recordNumber > area.recordCount) SetEndOfFileState(area);
  if (!InRange(area)) return PastLastKey(area, state, *tag);
  const std::string key = KeyOfRecord(*tag);
  if (!SeekKey(state, *tag, reinterpret_cast<const unsigned char*>(key.data()), tag->order,
               SeekMode::kFind)) {
    return false;
  }
  if (tag->anchor.Unique()) return true;
  bool found = false;
  if (!PlaceOnRecord(state, *tag, key, static_cast<std::uint32_t>(area.recordNumber), &found)) {
    return false;
  }
  if (!found && MeetsFor(*tag)) {
    SetError(kOutOfRange, "Record with key: " + Quoted(*tag) +
                              " not in index: " + IndexTagText(state, *tag) + ". [SoftSyncIndex]");
    return false;
  }
  return true;
}

bool ReloadCurrentKeys(WorkArea& area, IndexState& state) {
  IndexTag* tag = state.Controlling();
  if (tag == nullptr) return true;
  tag->bof = false;
  return SyncTag(area, state, *tag);
}

}  // namespace pw
