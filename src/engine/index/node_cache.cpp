#include "engine/index/node_cache.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/index/mdx_limits.h"

namespace pw {
namespace {

std::uint64_t BlockOffset(std::uint32_t block) {
  return static_cast<std::uint64_t>(block) * kMdxBlockSize;
}

}  // namespace

const IndexNode* NodeCache::Find(std::uint32_t block) {
  if (const auto changed = changed_.find(block); changed != changed_.end()) {
    return &changed->second.node;
  }
  if (const auto newer = newer_.find(block); newer != newer_.end()) return &newer->second;
  const auto older = older_.find(block);
  if (older == older_.end()) return nullptr;
  // Still in use: it moves up into the newer generation.
  IndexNode node = std::move(older->second);
  older_.erase(older);
  KeepRead(block, node);
  const auto moved = newer_.find(block);
  return moved == newer_.end() ? nullptr : &moved->second;
}

void NodeCache::KeepRead(std::uint32_t block, const IndexNode& node) {
  if (!keepRead_) return;
  if (newer_.size() >= kNodesPerGeneration && newer_.find(block) == newer_.end()) {
    older_ = std::move(newer_);
    newer_.clear();
  }
  older_.erase(block);
  newer_.insert_or_assign(block, node);
}

void NodeCache::Change(std::uint32_t block, const IndexNode& node, int tagNumber) {
  if (changed_.find(block) == changed_.end()) {
    // The clean copy is the block as it is on disk: the update's journal
    // takes it from here instead of reading the file.
    const auto newer = newer_.find(block);
    const auto older = older_.find(block);
    if (newer != newer_.end()) {
      diskImages_.insert_or_assign(block, newer->second.Bytes());
    } else if (older != older_.end()) {
      diskImages_.insert_or_assign(block, older->second.Bytes());
    }
  }
  newer_.erase(block);
  older_.erase(block);
  changed_.insert_or_assign(block, Changed{node, tagNumber});
}

void NodeCache::SetLength(std::uint64_t length) {
  length_ = length;
  diskLength_ = length;
}

std::uint32_t NodeCache::Allocate() {
  const std::uint64_t offset = (*length_ + kMdxNodeSize - 1) / kMdxNodeSize * kMdxNodeSize;
  length_ = offset + kMdxNodeSize;
  return static_cast<std::uint32_t>(offset / kMdxBlockSize);
}

bool NodeCache::HoldsBlock(std::uint32_t block) const {
  return block >= kMdxFirstNodeBlock && length_.has_value() &&
         BlockOffset(block) + kMdxNodeSize <= *length_;
}

std::vector<std::uint32_t> NodeCache::OverwrittenBlocks() const {
  std::vector<std::uint32_t> blocks;
  for (const auto& [block, changed] : changed_) {
    if (BlockOffset(block) + kMdxNodeSize <= diskLength_) blocks.push_back(block);
  }
  return blocks;
}

const IndexNode::Image* NodeCache::DiskImage(std::uint32_t block) const {
  const auto image = diskImages_.find(block);
  return image == diskImages_.end() ? nullptr : &image->second;
}

int NodeCache::WriteBack(platform::File& file, int* failedTag) {
  // New nodes first: until a node on disk points at them they change
  // nothing, so a full disk stops the write-back before the trees change.
  std::vector<std::uint32_t> order;
  order.reserve(changed_.size());
  for (const auto& [block, changed] : changed_) {
    if (BlockOffset(block) + kMdxNodeSize > diskLength_) order.push_back(block);
  }
  for (const auto& [block, changed] : changed_) {
    if (BlockOffset(block) + kMdxNodeSize <= diskLength_) order.push_back(block);
  }
  for (const std::uint32_t block : order) {
    const auto entry = changed_.find(block);
    IndexNode& node = entry->second.node;
    if (const int code = file.WriteAt(BlockOffset(block), node.Bytes().data(), kMdxNodeSize)) {
      *failedTag = entry->second.tagNumber;
      return code;
    }
    node.SetChanged(false);
    diskImages_.erase(block);
    diskLength_ = std::max(diskLength_, BlockOffset(block) + kMdxNodeSize);
    KeepRead(block, node);
    changed_.erase(entry);
  }
  return 0;
}

void NodeCache::Clear() {
  newer_.clear();
  older_.clear();
  changed_.clear();
  diskImages_.clear();
  length_.reset();
  diskLength_ = 0;
}

}  // namespace pw
