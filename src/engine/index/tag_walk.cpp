#include "engine/index/tag_walk.h"

#include <utility>
#include <vector>

#include "common/error_state.h"
#include "engine/index/mdx_fault.h"
#include "engine/index/node_search.h"
#include "engine/index/tag_node_io.h"

namespace pw {
namespace {

// Reads the node at `block` onto the end of the path, straight into its
// place there; null after reporting.
PathEntry* PushPathNode(IndexState& state, const IndexTag& tag, std::uint32_t block) {
  if (state.path.size() >= kMdxDeepestPath) {
    SetError(kMdxCorrupted,
             "Error reading index file: " + IndexTagText(state, tag) + " [SeekAndRead]");
    return nullptr;
  }
  // Block 0 until read: GetNode looks for the block among the path's nodes.
  PathEntry& entry = state.path.emplace_back(0, IndexNode(tag.anchor.ItemLength()), 0);
  if (!GetNode(state, tag, block, &entry.node)) {
    state.path.pop_back();
    return nullptr;
  }
  entry.block = block;
  return &entry;
}

// Descends from `block` along the first or the last children down to a leaf.
bool DescendEdge(IndexState& state, const IndexTag& tag, std::uint32_t block, bool last) {
  for (;;) {
    PathEntry* entry = PushPathNode(state, tag, block);
    if (entry == nullptr) return false;
    const int count = entry->node.Count();
    if (entry->node.IsLeaf()) {
      entry->position = last && count > 0 ? count - 1 : 0;
      return true;
    }
    entry->position = last ? count : 0;
    block = entry->node.ChildAt(entry->position);
  }
}

bool HasNeighbour(const PathEntry& entry, int direction) {
  return direction > 0 ? entry.position < entry.node.Count() : entry.position > 0;
}

// Climbs the path to the nearest node with a neighbouring child in
// `direction` and descends to the nearest leaf that holds keys. Without one
// the position stays where it was and `*atEnd` is set.
bool CrossLeaves(IndexState& state, IndexTag& tag, int direction, bool* atEnd) {
  std::vector<PathEntry> saved = state.path;
  *atEnd = false;
  for (;;) {
    int level = static_cast<int>(state.path.size()) - 2;
    while (level >= 0 && !HasNeighbour(state.path[level], direction)) --level;
    if (level < 0) {
      state.path = std::move(saved);
      *atEnd = true;
      return true;
    }
    state.path.erase(state.path.begin() + level + 1, state.path.end());
    PathEntry& parent = state.path.back();
    parent.position += direction;
    const std::uint32_t child = parent.node.ChildAt(parent.position);
    if (!DescendEdge(state, tag, child, direction < 0)) return false;
    if (state.path.back().node.Count() > 0) return true;
  }
}

bool Step(IndexState& state, IndexTag& tag, int direction) {
  PathEntry& leaf = state.path.back();
  const int next = leaf.position + direction;
  if (next >= 0 && next < leaf.node.Count()) {
    leaf.position = next;
  } else {
    bool atEnd = false;
    if (!CrossLeaves(state, tag, direction, &atEnd)) return false;
    if (atEnd) {
      (direction > 0 ? tag.eof : tag.bof) = true;
      return true;
    }
  }
  (direction > 0 ? tag.bof : tag.eof) = false;
  TakePathLeaf(state, tag);
  return true;
}

void StartPath(IndexState& state, const IndexTag& tag) {
  state.path.clear();
  state.pathTag = tag.number;
}

}  // namespace

void TakePathLeaf(IndexState& state, IndexTag& tag) {
  const PathEntry& leaf = state.path.back();
  tag.currentBlock = leaf.block;
  tag.currentNode = leaf.node;
  tag.item = leaf.position;
  if (tag.item < tag.currentNode.Count()) {
    const auto* key = reinterpret_cast<const char*>(tag.currentNode.Key(tag.item));
    tag.currentKey.assign(key, static_cast<std::size_t>(tag.anchor.KeyLength()));
  }
}

bool SeekKey(IndexState& state, IndexTag& tag, const unsigned char* key, const KeyOrder& order,
             SeekMode mode) {
  StartPath(state, tag);
  std::uint32_t block = tag.anchor.RootBlock();
  for (;;) {
    PathEntry* entry = PushPathNode(state, tag, block);
    if (entry == nullptr) return false;
    entry->position = SearchNode(entry->node, key, order).position;
    if (entry->node.IsLeaf()) break;
    block = entry->node.ChildAt(entry->position);
  }
  tag.eof = false;
  const PathEntry& leaf = state.path.back();
  if (mode == SeekMode::kFind && leaf.position >= leaf.node.Count()) {
    if (leaf.node.Count() == 0) {
      TakePathLeaf(state, tag);
      tag.bof = tag.eof = true;
      return true;
    }
    state.path.back().position = leaf.node.Count() - 1;
    TakePathLeaf(state, tag);
    return StepForward(state, tag);
  }
  TakePathLeaf(state, tag);
  return true;
}

bool SeekEdge(IndexState& state, IndexTag& tag, bool last) {
  StartPath(state, tag);
  if (!DescendEdge(state, tag, tag.anchor.RootBlock(), last)) return false;
  bool empty = state.path.back().node.Count() == 0;
  if (empty && state.path.size() > 1) {
    // A damaged tree may hold an empty leaf below a branch: skip it.
    bool atEnd = false;
    if (!CrossLeaves(state, tag, last ? -1 : 1, &atEnd)) return false;
    empty = atEnd;
  }
  TakePathLeaf(state, tag);
  tag.bof = tag.eof = empty;
  return true;
}

bool StepForward(IndexState& state, IndexTag& tag) {
  return Step(state, tag, 1);
}

bool StepBackward(IndexState& state, IndexTag& tag) {
  return Step(state, tag, -1);
}

bool WalkEqualKeysTo(IndexState& state, IndexTag& tag, const std::string& key, std::uint32_t record,
                     bool* found) {
  *found = false;
  while (!tag.eof && KeyAtEquals(tag, key)) {
    if (RecordAt(tag) == record) {
      *found = true;
      return true;
    }
    if (!StepForward(state, tag)) return false;
  }
  return true;
}

bool OnItem(const IndexTag& tag) {
  return tag.item >= 0 && tag.item < tag.currentNode.Count();
}

std::uint32_t RecordAt(const IndexTag& tag) {
  return OnItem(tag) ? tag.currentNode.Pointer(tag.item) : 0;
}

bool KeyAtEquals(const IndexTag& tag, const std::string& key) {
  return OnItem(tag) && tag.order.Compare(tag.currentNode.Key(tag.item),
                                          reinterpret_cast<const unsigned char*>(key.data())) == 0;
}

}  // namespace pw
