// Where one tag's records and nodes sit in its tree: the leaf that holds
// each record's item and the branch above each node. With them a record's
// item is found below its leaf and the path climbed to the root, however
// long the run of equal keys it stands in (tag_locate.h).
//
// Hints are kept only for tags that needed them, from the first such
// search on, and follow every key added in this program. They are never
// trusted: a path made from them is checked node by node, and one that
// does not hold leads to fresh hints read from the whole tree.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/index/index_node.h"

namespace pw {

class TagHints {
 public:
  bool Kept() const { return kept_; }
  // Starts empty hints, kept from now on, for records up to `recordLimit`
  // (higher record numbers, as a damaged leaf may hold, are not noted).
  void Start(std::uint32_t recordLimit);
  void Forget();

  // The leaf `block` holds the item of `record`.
  void NoteRecord(std::uint32_t record, std::uint32_t block);
  void ForgetRecord(std::uint32_t record);
  // Every item of the node at `block`: a leaf's records, a branch's
  // children (its trailing child included).
  void NoteNode(std::uint32_t block, const IndexNode& node);

  // 0 when unknown.
  std::uint32_t LeafOf(std::uint32_t record) const;
  std::uint32_t ParentOf(std::uint32_t block) const;

 private:
  bool kept_ = false;
  std::uint32_t recordLimit_ = 0;
  std::vector<std::uint32_t> leafOfRecord_;
  std::unordered_map<std::uint32_t, std::uint32_t> parentOfNode_;
};

}  // namespace pw
