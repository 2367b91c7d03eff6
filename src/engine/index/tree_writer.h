// Writes one tag's B+ tree bottom-up from items that arrive in key order.
// Every item goes into the leaf (level 0); a full leaf (the maximum keys) is
// written before the next item goes in, and becomes a child of level 1.
// Each level above collects children: a branch takes one key less than the
// maximum (BranchKeysFor) plus its trailing pointer, so that no node holds
// more pointers than the maximum keys. A full branch is written when the
// second child after it arrives, so that a level never ends with a lone
// child: at the end each level's last children make one branch, or two
// when they are one too many (the last of them with two children), and the
// single child of the top level is the root. All leaves lie at one depth.
// A branch item carries the highest key under its child; the last node
// written is the root.
//
// Nodes are appended at the end of the index file through a 65512-byte
// buffer; a node's block is the file length before it, divided by 512.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/index/index_node.h"
#include "platform/file.h"

namespace pw {

class TreeWriter {
 public:
  // A tree of keys of `keyLength` bytes in items of `itemLength` bytes,
  // `maxKeys` to a leaf.
  TreeWriter(platform::File& file, int keyLength, int itemLength, int maxKeys);

  // Finds the end of the file. 0 or the system's code, as for all below.
  int Start();
  int Add(const unsigned char* key, std::uint32_t record);
  // Writes the nodes still open and gives the root's block.
  int Finish(std::uint32_t* root);

 private:
  // A node written and waiting for its parent, with the highest key under it.
  struct Child {
    std::uint32_t block;
    std::string highestKey;
  };
  using Children = std::vector<Child>;

  // Writes the leaf and hands it to level 1.
  int EmitLeaf();
  // Gives `child` to branch level `level` (1 and up), writing the full
  // branch there first when the level already holds one child more.
  int Carry(std::size_t level, Child child);
  // Writes a branch over the first `count` children of `level` and hands it
  // to the level above.
  int EmitBranch(std::size_t level, std::size_t count);
  // Queues a node for writing, gives its block, and empties it.
  int Emit(IndexNode& node, std::uint32_t* block);
  int Flush();

  platform::File& file_;
  int keyLength_;
  int itemLength_;
  int maxKeys_;
  std::size_t branchChildren_;  // children of a full branch
  IndexNode leaf_;
  std::vector<Children> branches_;     // [level]: children waiting; [0] unused
  std::uint64_t bufferOffset_ = 0;     // file offset of the buffer's first byte
  std::vector<unsigned char> buffer_;  // nodes not yet written
};

}  // namespace pw
