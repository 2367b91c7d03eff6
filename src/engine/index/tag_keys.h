// Adding and removing one key of one tag, with the node splits, parent
// updates and root changes that keep the tree a B+ tree. Both leave the
// path empty: the tag must be positioned again afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "engine/index/index_state.h"

namespace pw {

enum class AddOutcome {
  kAdded,
  kSkipped,  // the record fails the FOR condition, or a unique tag holds the key
  kFailed,   // reported
};

// Adds `key` of `record` (the current record, for the FOR condition) in
// front of any equal keys; a full node splits into a node appended at the
// end of the file, up to a new root.
AddOutcome AddKey(IndexState& state, IndexTag& tag, const std::string& key, std::uint32_t record);

enum class RemoveOutcome {
  kRemoved,
  kAbsent,    // not held: normal for a tag with a FOR condition or a unique tag
  kNotFound,  // missing where it must be held (not reported)
  kFailed,    // reported
};

// Removes the item of `record` among the keys equal to `key`. Emptied nodes
// leave their parents; a root branch with one child left gives way to it.
RemoveOutcome RemoveKey(IndexState& state, IndexTag& tag, const std::string& key,
                        std::uint32_t record);

}  // namespace pw
