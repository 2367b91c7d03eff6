#include "engine/index/tree_writer.h"

#include "engine/index/mdx_limits.h"

namespace pw {
namespace {

constexpr std::size_t kWriteBufferBytes = 65512;
constexpr std::size_t kNodesPerBuffer = kWriteBufferBytes / kMdxNodeSize;

}  // namespace

TreeWriter::TreeWriter(platform::File& file, int keyLength, int itemLength, int maxKeys)
    : file_(file), keyLength_(keyLength), itemLength_(itemLength), maxKeys_(maxKeys) {
  levels_.emplace_back(itemLength_);
  buffer_.reserve(kNodesPerBuffer * kMdxNodeSize);
}

int TreeWriter::Start() {
  std::uint64_t length = 0;
  if (int code = file_.Size(&length)) return code;
  // Nodes stay aligned on the node size, as every append keeps them.
  bufferOffset_ = (length + kMdxNodeSize - 1) / kMdxNodeSize * kMdxNodeSize;
  return 0;
}

int TreeWriter::Add(const unsigned char* key, std::uint32_t record) {
  IndexNode& leaf = levels_[0];
  if (leaf.Count() >= maxKeys_) {
    IndexNode full = leaf;
    std::uint32_t block = 0;
    if (int code = Emit(leaf, &block)) return code;
    if (int code = Carry(block, full.Key(full.Count() - 1))) return code;
  }
  levels_[0].Insert(levels_[0].Count(), record, key, keyLength_, maxKeys_);
  return 0;
}

int TreeWriter::Carry(std::uint32_t child, const unsigned char* highestKey) {
  for (std::size_t level = 1;; ++level) {
    if (level == levels_.size()) levels_.emplace_back(itemLength_);
    IndexNode& node = levels_[level];
    if (node.Count() < maxKeys_) {
      node.Insert(node.Count(), child, highestKey, keyLength_, maxKeys_);
      return 0;
    }
    node.SetTrailingPointer(child);
    if (int code = Emit(node, &child)) return code;
  }
}

int TreeWriter::Finish(std::uint32_t* root) {
  std::uint32_t last = 0;
  if (int code = Emit(levels_[0], &last)) return code;
  for (std::size_t level = 1; level < levels_.size(); ++level) {
    IndexNode& node = levels_[level];
    if (node.Count() == 0) continue;
    node.SetTrailingPointer(last);
    if (int code = Emit(node, &last)) return code;
  }
  *root = last;
  return Flush();
}

int TreeWriter::Emit(IndexNode& node, std::uint32_t* block) {
  if (buffer_.size() + kMdxNodeSize > kWriteBufferBytes) {
    if (int code = Flush()) return code;
  }
  *block = static_cast<std::uint32_t>((bufferOffset_ + buffer_.size()) / kMdxBlockSize);
  buffer_.insert(buffer_.end(), node.Bytes().begin(), node.Bytes().end());
  node = IndexNode(itemLength_);
  return 0;
}

int TreeWriter::Flush() {
  if (buffer_.empty()) return 0;
  if (int code = file_.WriteAt(bufferOffset_, buffer_.data(), buffer_.size())) return code;
  bufferOffset_ += buffer_.size();
  buffer_.clear();
  return 0;
}

}  // namespace pw
