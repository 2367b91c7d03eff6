// Writes one tag's B+ tree bottom-up from items that arrive in key order.
// Every item goes into the leaf (level 0). A full leaf is written before the
// next item goes in, and the level above gets an item pointing to it that
// carries the leaf's highest key; a full node above level 0 is written then
// too, its trailing pointer set to the node just written, and the item goes
// one level higher instead. At the end the leaf is written (even when empty)
// and every higher level holding an item gets its trailing pointer set to
// the node written just before it; the last node written is the root.
//
// Nodes are appended at the end of the index file through a 65512-byte
// buffer; a node's block is the file length before it, divided by 512.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/index/index_node.h"
#include "platform/file.h"

namespace pw {

class TreeWriter {
 public:
  // A tree of keys of `keyLength` bytes in items of `itemLength` bytes,
  // `maxKeys` to a node.
  TreeWriter(platform::File& file, int keyLength, int itemLength, int maxKeys);

  // Finds the end of the file. 0 or the system's code, as for all below.
  int Start();
  int Add(const unsigned char* key, std::uint32_t record);
  // Writes the nodes still open and gives the root's block.
  int Finish(std::uint32_t* root);

 private:
  // Carries an item for the node `child` with `highestKey` to the levels
  // above the leaf.
  int Carry(std::uint32_t child, const unsigned char* highestKey);
  // Queues a node for writing, gives its block, and empties it.
  int Emit(IndexNode& node, std::uint32_t* block);
  int Flush();

  platform::File& file_;
  int keyLength_;
  int itemLength_;
  int maxKeys_;
  std::vector<IndexNode> levels_;      // level 0 is the leaf
  std::uint64_t bufferOffset_ = 0;     // file offset of the buffer's first byte
  std::vector<unsigned char> buffer_;  // nodes not yet written
};

}  // namespace pw
