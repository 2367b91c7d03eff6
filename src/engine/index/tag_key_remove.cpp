// Key removal. The item leaves its leaf. A node that empties leaves its
// parent (and stays unused in the file); when the removed item or child was
// the last of its node, the keys above it that named the node's highest key
// take the new highest key. A root leaf may empty (no record has then met
// the FOR condition: anchor byte 246 returns to 0); a root branch with one
// child left gives way to that child.
#include <string>

#include "engine/index/tag_keys.h"
#include "engine/index/tag_locate.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/tag_walk.h"

namespace pw {
namespace {

const unsigned char* Bytes(const std::string& key) {
  return reinterpret_cast<const unsigned char*>(key.data());
}

std::string KeyAt(const IndexTag& tag, const IndexNode& node, int position) {
  return std::string(reinterpret_cast<const char*>(node.Key(position)),
                     static_cast<std::size_t>(tag.anchor.KeyLength()));
}

// An empty tag holds no record that met its FOR condition.
void ForgetForSatisfied(IndexTag& tag) {
  if (!tag.anchor.ForSatisfied()) return;
  tag.anchor.SetForSatisfied(false);
  tag.anchorChanged = true;
}

// The node at `level` has a new highest key: the nearest ancestor that
// names it by a key (not as its trailing child) takes it.
bool PassHighestUp(IndexState& state, const IndexTag& tag, int level, const std::string& highest) {
  for (int above = level - 1; above >= 0; --above) {
    PathEntry& entry = state.path[static_cast<std::size_t>(above)];
    if (entry.position < entry.node.Count()) {
      entry.node.SetKey(entry.position, Bytes(highest), tag.anchor.KeyLength());
      return PutNode(state, tag, entry.block, entry.node);
    }
  }
  return true;
}

// The child at the path position of `level` emptied: its entry leaves the
// node, and a node left without children leaves its own parent.
bool DropChild(IndexState& state, IndexTag& tag, int level) {
  for (; level >= 0; --level) {
    PathEntry& entry = state.path[static_cast<std::size_t>(level)];
    const int count = entry.node.Count();
    if (entry.position < count) {
      entry.node.Remove(entry.position);
      return PutNode(state, tag, entry.block, entry.node);
    }
    if (count > 0) {
      // The trailing child went: the last keyed child takes its place, and
      // the node's highest key is now that child's.
      const std::uint32_t newTrailing = entry.node.Pointer(count - 1);
      const std::string highest = KeyAt(tag, entry.node, count - 1);
      entry.node.Remove(count - 1);
      entry.node.SetTrailingPointer(newTrailing);
      return PutNode(state, tag, entry.block, entry.node) &&
             PassHighestUp(state, tag, level, highest);
    }
    if (level == 0) {
      // A root without children is an empty leaf.
      entry.node.SetTrailingPointer(0);
      ForgetForSatisfied(tag);
      return PutNode(state, tag, entry.block, entry.node);
    }
  }
  return true;
}

// A root branch with a single child left gives way to it, level by level.
bool ShrinkRoot(IndexState& state, IndexTag& tag) {
  IndexNode root(tag.anchor.ItemLength());
  if (!GetNode(state, tag, tag.anchor.RootBlock(), &root)) return false;
  while (!root.IsLeaf() && root.Count() == 0) {
    const std::uint32_t child = root.TrailingPointer();
    if (!GetNode(state, tag, child, &root)) return false;
    tag.anchor.SetRootBlock(child);
    tag.anchorChanged = true;
  }
  return true;
}

bool RemoveAtPosition(IndexState& state, IndexTag& tag) {
  const int leafLevel = static_cast<int>(state.path.size()) - 1;
  PathEntry& leaf = state.path.back();
  const int position = leaf.position;
  const int countBefore = leaf.node.Count();
  leaf.node.Remove(position);
  bool written = true;
  if (leaf.node.Count() > 0 || leafLevel == 0) {
    written = PutNode(state, tag, leaf.block, leaf.node);
    if (written && leafLevel == 0 && leaf.node.Count() == 0) {
      ForgetForSatisfied(tag);
    } else if (written && position == countBefore - 1 && leaf.node.Count() > 0) {
      written = PassHighestUp(state, tag, leafLevel, KeyAt(tag, leaf.node, position - 1));
    }
  } else {
    written = DropChild(state, tag, leafLevel - 1);
  }
  return written && ShrinkRoot(state, tag);
}

}  // namespace

RemoveOutcome RemoveKey(IndexState& state, IndexTag& tag, const std::string& key,
                        std::uint32_t record) {
  RemoveOutcome outcome = RemoveOutcome::kFailed;
  if (SeekKey(state, tag, Bytes(key), tag.order, SeekMode::kFind)) {
    const bool keyHeld = !tag.eof && KeyAtEquals(tag, key);
    bool found = false;
    if (!keyHeld || PlaceOnRecord(state, tag, key, record, &found)) {
      if (found) {
        tag.hints.ForgetRecord(record);
        if (RemoveAtPosition(state, tag)) outcome = RemoveOutcome::kRemoved;
      } else if (tag.anchor.HasFor() || (keyHeld && tag.anchor.Unique())) {
        outcome = RemoveOutcome::kAbsent;
      } else {
        outcome = RemoveOutcome::kNotFound;
      }
    }
  }
  state.path.clear();
  state.pathTag = 0;
  return outcome;
}

}  // namespace pw
