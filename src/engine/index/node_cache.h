// The nodes of one open index file kept in memory, and the file's length.
//
// Changed nodes wait here until the end of the operation that changed them
// and are then written once each (WriteBack), new nodes at the end of the
// file first, so that a write that fails for want of space leaves the trees
// on disk as they were. Nodes read from the file are kept while the copies
// can be trusted: always for an exclusive table; for a shared one until the
// index semaphore's update counter moves away from the stamp the copies
// carry, or the file's length changes under them, and the owner drops them
// (tag_node_io.h). A table shared without the semaphore keeps only the
// changed nodes of the operation.
//
// At most 2 * kNodesPerGeneration read nodes are kept (about 1 KB each):
// the newest generation takes every node read or found; when it is full it
// becomes the old one and the old one's nodes are dropped, so the nodes in
// use stay and the rest ages out.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/index/index_node.h"
#include "platform/file.h"

namespace pw {

class NodeCache {
 public:
  static constexpr std::size_t kNodesPerGeneration = 16384;

  // Whether nodes read from the file are kept beyond the operation.
  void SetKeepRead(bool keep) { keepRead_ = keep; }
  bool KeepsRead() const { return keepRead_; }

  // The node at `block`, changed or read, or null.
  const IndexNode* Find(std::uint32_t block);
  // Keeps a node just read from the file.
  void KeepRead(std::uint32_t block, const IndexNode& node);
  // Takes a changed node for the write-back; `tagNumber` names its tag in
  // messages.
  void Change(std::uint32_t block, const IndexNode& node, int tagNumber);

  // The file's length with the nodes given out by Allocate. Unknown until
  // set: the owner sets it from the file before the first allocation.
  bool LengthKnown() const { return length_.has_value(); }
  std::uint64_t Length() const { return *length_; }
  // The length of the file as it is on disk; forgets nodes allocated and
  // not written.
  void SetLength(std::uint64_t length);
  // The block of a new node at the end of the file (the length is rounded
  // up to whole nodes first). The length must be known.
  std::uint32_t Allocate();
  // Whether a node at `block` lies inside the file or was allocated.
  bool HoldsBlock(std::uint32_t block) const;

  bool HasChanges() const { return !changed_.empty(); }
  // The changed nodes that lie inside the file on disk: those a write-back
  // overwrites.
  std::vector<std::uint32_t> OverwrittenBlocks() const;
  // The bytes on disk of a changed node, when its clean copy was kept at
  // its first change; null otherwise (the file tells).
  const IndexNode::Image* DiskImage(std::uint32_t block) const;
  // Writes every changed node once: those past the end of the file on disk
  // in block order first, then the others. 0, or the first failure's code
  // with `*failedTag` naming the node's tag; the nodes not written stay
  // changed, to go with the next write-back.
  int WriteBack(platform::File& file, int* failedTag);

  // The update counter the read nodes were checked against, if any.
  std::optional<std::uint16_t> Stamp() const { return stamp_; }
  void SetStamp(std::uint16_t counter) { stamp_ = counter; }
  // Forgets every node, changed or not, and the length.
  void Clear();

 private:
  struct Changed {
    IndexNode node;
    int tagNumber;
  };

  bool keepRead_ = false;
  std::unordered_map<std::uint32_t, IndexNode> newer_;
  std::unordered_map<std::uint32_t, IndexNode> older_;
  std::map<std::uint32_t, Changed> changed_;
  std::unordered_map<std::uint32_t, IndexNode::Image> diskImages_;
  std::optional<std::uint64_t> length_;
  std::uint64_t diskLength_ = 0;
  std::optional<std::uint16_t> stamp_;
};

}  // namespace pw
