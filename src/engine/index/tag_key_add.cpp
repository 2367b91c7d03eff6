// Key insertion. A leaf with room takes the item at its place. A leaf is
// full at the tag's leaf capacity, a branch one key earlier, so that a
// branch holds no more pointers, its trailing pointer included, than the
// maximum keys per node; full branches that other writers left still split
// as they are. A full node splits: a node appended at the end of the file
// takes the upper floor(n/2) items (a branch also gives up its last
// remaining item, whose child becomes its trailing child), and the new item
// goes into the half where it belongs. The parent's entry for the split
// node then carries the node's new highest key and is followed by an entry
// for the new node carrying the old highest key; when the split node was
// the trailing child, it becomes a keyed entry and the new node the
// trailing child. A split root gives way to a new root appended at the end
// of the file, and the anchor names it. Nodes and the anchor reach the file
// with the operation's write-back (tag_node_io.h); the anchor is written
// when its bytes changed.
#include <string>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/index/tag_keys.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/tag_record.h"
#include "engine/index/tag_walk.h"

namespace pw {
namespace {

const unsigned char* Bytes(const std::string& key) {
  return reinterpret_cast<const unsigned char*>(key.data());
}

struct PendingItem {
  int position;
  std::uint32_t pointer;
  std::string key;
};

// The keys `node` takes under `tag`: the leaf or branch capacity.
int Capacity(const IndexTag& tag, const IndexNode& node) {
  return node.IsLeaf() ? tag.anchor.LeafCapacity() : tag.anchor.BranchCapacity();
}

bool ReportBadNode(const IndexState& state, const IndexTag& tag) {
  SetError(kInternalError, "Index file corrupted. " + IndexTagText(state, tag) + " [AddKey]");
  return false;
}

// Splits the full node at `level` and places `item` in it; `*upper` and
// `*upperBlock` receive the new node, `*highest` the split node's new
// highest key.
bool SplitAndPlace(IndexState& state, IndexTag& tag, int level, const PendingItem& item,
                   std::uint32_t* upperBlock, std::string* highest) {
  PathEntry& entry = state.path[static_cast<std::size_t>(level)];
  const int keyLength = tag.anchor.KeyLength();
  const int capacity = Capacity(tag, entry.node);
  const int kept = entry.node.Count() - entry.node.Count() / 2;
  IndexNode upper(tag.anchor.ItemLength());
  if (!entry.node.Split(&upper, highest)) return ReportBadNode(state, tag);
  highest->resize(static_cast<std::size_t>(keyLength));
  const bool placed =
      item.position < kept
          ? entry.node.Insert(item.position, item.pointer, Bytes(item.key), keyLength, capacity)
          : upper.Insert(item.position - kept, item.pointer, Bytes(item.key), keyLength, capacity);
  if (!placed) return ReportBadNode(state, tag);
  if (!AppendTagNode(state, tag, upper, upperBlock) ||
      !PutNode(state, tag, entry.block, entry.node)) {
    return false;
  }
  tag.hints.NoteNode(entry.block, entry.node);
  tag.hints.NoteNode(*upperBlock, upper);
  return true;
}

bool NewRoot(IndexState& state, IndexTag& tag, std::uint32_t oldRoot, const std::string& highest,
             std::uint32_t upperBlock) {
  IndexNode root(tag.anchor.ItemLength());
  if (!root.Insert(0, oldRoot, Bytes(highest), tag.anchor.KeyLength(),
                   tag.anchor.BranchCapacity())) {
    return ReportBadNode(state, tag);
  }
  root.SetTrailingPointer(upperBlock);
  std::uint32_t rootBlock = 0;
  if (!AppendTagNode(state, tag, root, &rootBlock)) return false;
  tag.hints.NoteNode(rootBlock, root);
  tag.anchor.SetRootBlock(rootBlock);
  tag.anchorChanged = true;
  return true;
}

// Places `item` into the node at `level` of the path, splitting up to the root.
bool PlaceItem(IndexState& state, IndexTag& tag, int level, PendingItem item) {
  for (;;) {
    PathEntry& entry = state.path[static_cast<std::size_t>(level)];
    const int capacity = Capacity(tag, entry.node);
    if (entry.node.HasRoom(capacity)) {
      if (!entry.node.Insert(item.position, item.pointer, Bytes(item.key), tag.anchor.KeyLength(),
                             capacity)) {
        return ReportBadNode(state, tag);
      }
      if (!PutNode(state, tag, entry.block, entry.node)) return false;
      if (entry.node.IsLeaf()) {
        tag.hints.NoteRecord(item.pointer, entry.block);
      } else {
        tag.hints.NoteNode(entry.block, entry.node);
      }
      return true;
    }
    const std::uint32_t splitBlock = entry.block;
    std::uint32_t upperBlock = 0;
    std::string highest;
    if (!SplitAndPlace(state, tag, level, item, &upperBlock, &highest)) return false;
    if (level == 0) return NewRoot(state, tag, splitBlock, highest, upperBlock);

    PathEntry& parent = state.path[static_cast<std::size_t>(level) - 1];
    const int position = parent.position;
    if (position < parent.node.Count()) {
      const auto* oldHighest = reinterpret_cast<const char*>(parent.node.Key(position));
      std::string upperHighest(oldHighest, static_cast<std::size_t>(tag.anchor.KeyLength()));
      parent.node.SetKey(position, Bytes(highest), tag.anchor.KeyLength());
      item = {position + 1, upperBlock, std::move(upperHighest)};
    } else {
      parent.node.SetTrailingPointer(upperBlock);
      item = {position, splitBlock, std::move(highest)};
    }
    --level;
  }
}

}  // namespace

AddOutcome AddKey(IndexState& state, IndexTag& tag, const std::string& key, std::uint32_t record) {
  if (!MeetsFor(tag)) return AddOutcome::kSkipped;
  const bool sought = SeekKey(state, tag, Bytes(key), tag.order, SeekMode::kInsert);
  AddOutcome outcome = AddOutcome::kFailed;
  if (sought) {
    const PathEntry& leaf = state.path.back();
    if (tag.anchor.Unique() && leaf.position < leaf.node.Count() &&
        tag.order.Compare(leaf.node.Key(leaf.position), Bytes(key)) == 0) {
      outcome = AddOutcome::kSkipped;
    } else {
      if (tag.anchor.HasFor() && !tag.anchor.ForSatisfied()) {
        tag.anchor.SetForSatisfied(true);
        tag.anchorChanged = true;
      }
      const int leafLevel = static_cast<int>(state.path.size()) - 1;
      if (PlaceItem(state, tag, leafLevel, {leaf.position, record, key})) {
        outcome = AddOutcome::kAdded;
      }
    }
  }
  state.path.clear();
  state.pathTag = 0;
  return outcome;
}

}  // namespace pw
