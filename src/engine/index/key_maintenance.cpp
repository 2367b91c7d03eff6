#include "engine/index/key_maintenance.h"

#include <cstdint>
#include <string>
#include <vector>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/sync_index.h"
#include "engine/index/tag_keys.h"
#include "engine/index/tag_locate.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/tag_record.h"
#include "engine/index/tag_walk.h"

namespace pw {
namespace {

bool SameKey(const IndexTag& tag, const std::string& a, const std::string& b) {
  return tag.order.Compare(reinterpret_cast<const unsigned char*>(a.data()),
                           reinterpret_cast<const unsigned char*>(b.data())) == 0;
}

bool ReportRecordMissing(const IndexState& state, const IndexTag& tag, std::uint32_t record) {
  SetError(kInternalError, "Record number " + std::to_string(record) + " not found in index. " +
                               IndexTagText(state, tag) + " [CompareKeys]");
  return false;
}

// Adds the record to every tag in slot order; `*added` receives the tags
// that took a key. Stops at the first failure.
bool AddToEveryTag(IndexState& state, std::uint32_t record, std::vector<IndexTag*>* added) {
  for (const auto& slot : state.tagSlots) {
    if (slot == nullptr) continue;
    const AddOutcome outcome = AddKey(state, *slot, KeyOfRecord(*slot), record);
    if (outcome == AddOutcome::kFailed) return false;
    if (outcome == AddOutcome::kAdded) added->push_back(slot.get());
  }
  return true;
}

// Removes the record's keys from `added` again, in reverse order; a removal
// that fails reports 254 over the failure that called for it.
void TakeBackKeys(IndexState& state, std::uint32_t record, const std::vector<IndexTag*>& added) {
  for (auto tag = added.rbegin(); tag != added.rend(); ++tag) {
    if (RemoveKey(state, **tag, KeyOfRecord(**tag), record) != RemoveOutcome::kRemoved) {
      SetError(kInternalError,
               "Index file corrupted. " + IndexTagText(state, **tag) + " [AppendNewKey]");
    }
  }
}

// Trades the record's old key in `tag` for its new one.
bool UpdateTag(IndexState& state, IndexTag& tag, std::uint32_t record) {
  const std::string newKey = KeyOfRecord(tag);
  const bool meetsFor = MeetsFor(tag);
  const std::string oldKey = tag.currentKey;
  bool changed = !SameKey(tag, newKey, oldKey) || !meetsFor;
  switch (tag.oldKey) {
    case IndexTag::OldKey::kHeld:
      if (changed) {
        const RemoveOutcome removed = RemoveKey(state, tag, oldKey, record);
        if (removed == RemoveOutcome::kFailed) return false;
        if (removed != RemoveOutcome::kRemoved) return ReportRecordMissing(state, tag, record);
      }
      break;
    case IndexTag::OldKey::kForNotMet:
      // The old record stood outside the tag: only the new key may go in.
      changed = meetsFor;
      break;
    case IndexTag::OldKey::kMissing:
      // Only a unique tag may lack the record: another record holds its key.
      if (!tag.anchor.Unique()) return ReportRecordMissing(state, tag, record);
      break;
  }
  if (changed && AddKey(state, tag, newKey, record) == AddOutcome::kFailed) return false;
  tag.currentKey = newKey;
  return true;
}

// The trees in memory go to the file after a failure, which stays the one
// reported.
void WriteBackAfterFailure(IndexState& state) {
  const std::uint16_t code = EngineErrorCode();
  std::string detail = TakeDetailText();
  {
    AutoDispatchOff quiet;
    WriteBack(state);
  }
  SetError(code, detail);
}

// Every tag trades the record's old key for the new one where it changed.
bool UpdateEveryTag(WorkArea& area, IndexState& state) {
  const auto record = static_cast<std::uint32_t>(area.recordNumber);
  for (const auto& slot : state.tagSlots) {
    if (slot != nullptr && !UpdateTag(state, *slot, record)) return false;
  }
  IndexTag* controlling = state.Controlling();
  if (controlling != nullptr && controlling->anchor.HasFor() && !SyncIndex(area, state)) {
    return false;
  }
  return ReloadCurrentKeys(area, state);
}

}  // namespace

bool AppendNewKey(WorkArea& area, IndexState& state) {
  const auto record = static_cast<std::uint32_t>(area.recordNumber);
  std::vector<IndexTag*> added;
  // Without dispatching, so that the keys are taken back before anyone
  // hears of the failure.
  const bool dispatch = SetAutoDispatch(false);
  // Reloading the current keys places the controlling tag on the record.
  const bool done =
      AddToEveryTag(state, record, &added) && ReloadCurrentKeys(area, state) && WriteBack(state);
  if (!done) {
    // The keys leave the trees in memory; what reached the file follows
    // them with this write-back or the next one.
    TakeBackKeys(state, record, added);
    WriteBackAfterFailure(state);
  }
  SetAutoDispatch(dispatch);
  if (!done && dispatch) DispatchError();
  return done;
}

bool NoteOldKeys(WorkArea& area, IndexState& state) {
  const auto record = static_cast<std::uint32_t>(area.recordNumber);
  for (const auto& slot : state.tagSlots) {
    if (slot == nullptr) continue;
    IndexTag& tag = *slot;
    tag.oldKey = IndexTag::OldKey::kForNotMet;
    if (!MeetsFor(tag)) continue;
    const std::string key = KeyOfRecord(tag);
    if (!SeekKey(state, tag, reinterpret_cast<const unsigned char*>(key.data()), tag.order,
                 SeekMode::kFind)) {
      return false;
    }
    bool found = false;
    if (!PlaceOnRecord(state, tag, key, record, &found)) return false;
    tag.oldKey = found ? IndexTag::OldKey::kHeld : IndexTag::OldKey::kMissing;
    tag.currentKey = key;
  }
  return true;
}

bool CompareKeys(WorkArea& area, IndexState& state) {
  if (UpdateEveryTag(area, state)) return WriteBack(state);
  // Whatever changed before the failure is still a whole tree.
  WriteBackAfterFailure(state);
  return false;
}

}  // namespace pw
