// Moving one tag's position through its tree. A position is the path from
// the root to a leaf (filled by this tag) and, in the tag, a copy of that
// leaf, the item index and the key there. At EOF the position stays on the
// last key, at BOF on the first.
#pragma once

#include <cstdint>
#include <string>

#include "engine/index/index_state.h"

namespace pw {

enum class SeekMode {
  kFind,    // the first key not below; past a leaf's last key, on to the next leaf
  kInsert,  // the first key not below; past a leaf's last key, after it
};

// Descends from the root to the leaf where `key` belongs under `order`. All
// return false after reporting an input error.
bool SeekKey(IndexState& state, IndexTag& tag, const unsigned char* key, const KeyOrder& order,
             SeekMode mode);
// The first or last key of the tag; an empty tag sets BOF and EOF.
bool SeekEdge(IndexState& state, IndexTag& tag, bool last);
// One key on; at the last key sets EOF and stays. The path must be the tag's.
bool StepForward(IndexState& state, IndexTag& tag);
// One key back; at the first key sets BOF and stays.
bool StepBackward(IndexState& state, IndexTag& tag);
// From a position on the first of a run of keys equal to `key`, walks
// forward to the item of `record`; `*found` tells whether it was reached.
bool WalkEqualKeysTo(IndexState& state, IndexTag& tag, const std::string& key, std::uint32_t record,
                     bool* found);

// The tag's position (node copy, item, key) from the leaf at the end of the
// path, after the path was filled or moved.
void TakePathLeaf(IndexState& state, IndexTag& tag);

// Whether the tag stands on an item (it holds at least one key).
bool OnItem(const IndexTag& tag);
// The record number of the current item; 0 when there is none.
std::uint32_t RecordAt(const IndexTag& tag);
// Whether the current item's key equals `key` under the tag's order.
bool KeyAtEquals(const IndexTag& tag, const std::string& key);

}  // namespace pw
