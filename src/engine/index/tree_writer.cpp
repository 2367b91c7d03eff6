#include "engine/index/tree_writer.h"

#include "engine/index/mdx_limits.h"
#include "engine/index/tag_header.h"

namespace pw {
namespace {

constexpr std::size_t kWriteBufferBytes = 65512;
constexpr std::size_t kNodesPerBuffer = kWriteBufferBytes / kMdxNodeSize;

const unsigned char* Bytes(const std::string& key) {
  return reinterpret_cast<const unsigned char*>(key.data());
}

}  // namespace

TreeWriter::TreeWriter(platform::File& file, int keyLength, int itemLength, int maxKeys)
    : file_(file),
      keyLength_(keyLength),
      itemLength_(itemLength),
      maxKeys_(maxKeys),
      branchChildren_(static_cast<std::size_t>(BranchKeysFor(maxKeys)) + 1),
      leaf_(itemLength),
      branches_(1) {
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
  if (leaf_.Count() >= maxKeys_) {
    if (int code = EmitLeaf()) return code;
  }
  leaf_.Insert(leaf_.Count(), record, key, keyLength_, maxKeys_);
  return 0;
}

int TreeWriter::EmitLeaf() {
  const int count = leaf_.Count();
  const auto* last = reinterpret_cast<const char*>(leaf_.Key(count > 0 ? count - 1 : 0));
  Child child{0, std::string(last, static_cast<std::size_t>(keyLength_))};
  if (int code = Emit(leaf_, &child.block)) return code;
  return Carry(1, std::move(child));
}

int TreeWriter::Carry(std::size_t level, Child child) {
  if (level == branches_.size()) branches_.emplace_back();
  if (branches_[level].size() > branchChildren_) {
    if (int code = EmitBranch(level, branchChildren_)) return code;
  }
  branches_[level].push_back(std::move(child));
  return 0;
}

int TreeWriter::EmitBranch(std::size_t level, std::size_t count) {
  IndexNode node(itemLength_);
  Children& children = branches_[level];  // valid until the Carry below
  for (std::size_t i = 0; i + 1 < count; ++i) {
    node.Insert(node.Count(), children[i].block, Bytes(children[i].highestKey), keyLength_,
                BranchKeysFor(maxKeys_));
  }
  node.SetTrailingPointer(children[count - 1].block);
  Child parent{0, children[count - 1].highestKey};
  children.erase(children.begin(), children.begin() + static_cast<std::ptrdiff_t>(count));
  if (int code = Emit(node, &parent.block)) return code;
  return Carry(level + 1, std::move(parent));
}

int TreeWriter::Finish(std::uint32_t* root) {
  std::uint32_t leafBlock = 0;
  if (branches_.size() == 1) {
    // A single leaf is the whole tree, empty or not.
    if (int code = Emit(leaf_, &leafBlock)) return code;
    *root = leafBlock;
    return Flush();
  }
  if (int code = EmitLeaf()) return code;
  // Writing a branch may add a level, so each level is looked up afresh.
  for (std::size_t level = 1;; ++level) {
    const std::size_t waiting = branches_[level].size();
    if (level + 1 == branches_.size() && waiting == 1) {
      *root = branches_[level].front().block;
      return Flush();
    }
    // One child too many for a branch: the last two make a branch of their own.
    if (waiting > branchChildren_) {
      if (int code = EmitBranch(level, waiting - 2)) return code;
    }
    if (int code = EmitBranch(level, branches_[level].size())) return code;
  }
}

int TreeWriter::Emit(IndexNode& node, std::uint32_t* block) {
  if (buffer_.size() + kMdxNodeSize > kWriteBufferBytes) {
    if (int code = Flush()) return code;
  }
  *block = static_cast<std::uint32_t>((bufferOffset_ + buffer_.size()) / kMdxBlockSize);
  const IndexNode::Image bytes = node.Bytes();
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
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
