#include "engine/index/tag_hints.h"

namespace pw {

void TagHints::Start(std::uint32_t recordLimit) {
  Forget();
  kept_ = true;
  recordLimit_ = recordLimit;
}

void TagHints::Forget() {
  kept_ = false;
  leafOfRecord_.clear();
  parentOfNode_.clear();
}

void TagHints::NoteRecord(std::uint32_t record, std::uint32_t block) {
  if (!kept_) return;
  if (record >= leafOfRecord_.size()) {
    // Appends raise the limit with them; a far-off number is a damaged item.
    if (record > recordLimit_) {
      if (record > recordLimit_ + recordLimit_ / 2 + 1024) return;
      recordLimit_ = record;
    }
    leafOfRecord_.resize(static_cast<std::size_t>(record) + 1 + leafOfRecord_.size() / 4, 0);
  }
  leafOfRecord_[record] = block;
}

void TagHints::ForgetRecord(std::uint32_t record) {
  if (record < leafOfRecord_.size()) leafOfRecord_[record] = 0;
}

void TagHints::NoteNode(std::uint32_t block, const IndexNode& node) {
  if (!kept_) return;
  const int count = node.Count();
  if (node.IsLeaf()) {
    for (int i = 0; i < count; ++i) NoteRecord(node.Pointer(i), block);
    return;
  }
  for (int i = 0; i < count; ++i) parentOfNode_[node.Pointer(i)] = block;
  parentOfNode_[node.TrailingPointer()] = block;
}

std::uint32_t TagHints::LeafOf(std::uint32_t record) const {
  return record < leafOfRecord_.size() ? leafOfRecord_[record] : 0;
}

std::uint32_t TagHints::ParentOf(std::uint32_t block) const {
  const auto parent = parentOfNode_.find(block);
  return parent == parentOfNode_.end() ? 0 : parent->second;
}

}  // namespace pw
