#include "engine/index/tag_locate.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/index/tag_node_io.h"
#include "engine/index/tag_walk.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// Fresh hints from every node of the tag's tree; false, with no hints kept
// and nothing reported, when a node cannot be read (the walk then meets
// the damage only if it lies in the run).
bool ReadHints(IndexState& state, IndexTag& tag) {
  tag.hints.Start(static_cast<std::uint32_t>(std::max(CurrentArea().recordCount, 0)));
  std::vector<std::pair<std::uint32_t, std::size_t>> pending{{tag.anchor.RootBlock(), 0}};
  // A tree reaches each node once; a damaged one may point back.
  std::unordered_set<std::uint32_t> visited;
  IndexNode node(tag.anchor.ItemLength());
  while (!pending.empty()) {
    const auto [block, depth] = pending.back();
    pending.pop_back();
    if (depth >= kMdxDeepestPath || !visited.insert(block).second ||
        FetchNode(state, tag, block, &node) != 0) {
      tag.hints.Forget();
      return false;
    }
    tag.hints.NoteNode(block, node);
    if (node.IsLeaf()) continue;
    for (int position = 0; position <= node.Count(); ++position) {
      pending.emplace_back(node.ChildAt(position), depth + 1);
    }
  }
  return true;
}

// The position of the item of `record` with `key` in `leaf`, or -1.
int ItemOf(const IndexTag& tag, const IndexNode& leaf, const std::string& key,
           std::uint32_t record) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(key.data());
  for (int position = 0; position < leaf.Count(); ++position) {
    if (leaf.Pointer(position) == record && tag.order.Compare(leaf.Key(position), bytes) == 0) {
      return position;
    }
  }
  return -1;
}

// The position of the child `block` in `branch`, or -1.
int ChildPosition(const IndexNode& branch, std::uint32_t block) {
  for (int position = 0; position <= branch.Count(); ++position) {
    if (branch.ChildAt(position) == block) return position;
  }
  return -1;
}

// The path from the root to the record's item as the hints tell it, each
// step checked against the nodes; false when the hints do not hold.
bool PathFromHints(IndexState& state, const IndexTag& tag, const std::string& key,
                   std::uint32_t record, std::vector<PathEntry>* path) {
  std::uint32_t block = tag.hints.LeafOf(record);
  IndexNode node(tag.anchor.ItemLength());
  if (block == 0 || FetchNode(state, tag, block, &node) != 0 || !node.IsLeaf()) return false;
  const int item = ItemOf(tag, node, key, record);
  if (item < 0) return false;
  path->clear();
  path->push_back({block, node, item});
  while (block != tag.anchor.RootBlock()) {
    const std::uint32_t parent = tag.hints.ParentOf(block);
    if (parent == 0 || path->size() >= kMdxDeepestPath) return false;
    if (FetchNode(state, tag, parent, &node) != 0 || node.IsLeaf()) return false;
    const int position = ChildPosition(node, block);
    if (position < 0) return false;
    path->push_back({parent, node, position});
    block = parent;
  }
  std::reverse(path->begin(), path->end());
  return true;
}

}  // namespace

bool PlaceOnRecord(IndexState& state, IndexTag& tag, const std::string& key, std::uint32_t record,
                   bool* found) {
  *found = false;
  if (tag.eof || !KeyAtEquals(tag, key)) return true;
  if (RecordAt(tag) == record) {
    *found = true;
    return true;
  }
  // A unique tag's run is one key long.
  if (!tag.anchor.Unique()) {
    std::vector<PathEntry> path;
    bool held = tag.hints.Kept() && PathFromHints(state, tag, key, record, &path);
    if (!held) held = ReadHints(state, tag) && PathFromHints(state, tag, key, record, &path);
    if (held) {
      state.path = std::move(path);
      state.pathTag = tag.number;
      TakePathLeaf(state, tag);
      // Past the first of the run, as a walk forward would stand.
      tag.bof = false;
      tag.eof = false;
      *found = true;
      return true;
    }
  }
  // Not in the run: the walk finds its end, where the callers expect the tag.
  return WalkEqualKeysTo(state, tag, key, record, found);
}

}  // namespace pw
