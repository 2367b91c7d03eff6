#include "engine/index/index_node.h"

#include <algorithm>
#include <cstring>

#include "common/byte_order.h"

namespace pw {
namespace {

constexpr int kMinItemLength = kMdxItemPointerSize + kMdxMinKeyLength;

bool ItemLengthFits(int itemLength) {
  return itemLength >= kMinItemLength && itemLength <= kMdxNodeItemSpace;
}

}  // namespace

IndexNode::IndexNode(int itemLength)
    : itemLength_(std::clamp(itemLength, kMinItemLength, kMdxNodeItemSpace)) {}

MdxFault IndexNode::Parse(const unsigned char* bytes, int itemLength, IndexNode* out) {
  if (!ItemLengthFits(itemLength)) return MdxFault::kItemLayout;
  IndexNode node(itemLength);
  std::memcpy(node.image_.data(), bytes, kMdxNodeSize);
  // The changed flag of the writer's memory is never part of the image.
  PutLe16(node.image_.data() + 2, 0);
  if (node.Count() * itemLength > kItemArea) return MdxFault::kNodeCount;
  *out = node;
  return MdxFault::kNone;
}

IndexNode::Image IndexNode::Bytes() const {
  Image bytes;
  std::memcpy(bytes.data(), image_.data(), kMdxNodeSize);
  return bytes;
}

int IndexNode::Count() const {
  return GetLe16(image_.data() + kCountOffset);
}

void IndexNode::SetCount(int count) {
  PutLe16(image_.data() + kCountOffset, static_cast<std::uint32_t>(count));
}

bool IndexNode::HasRoom(int maxKeys) const {
  const int count = Count();
  return count < maxKeys && kItemArea - count * itemLength_ > 3;
}

std::size_t IndexNode::ItemOffset(int position) const {
  const int pinned = std::clamp(position, 0, kItemArea / itemLength_);
  return kItemsOffset + static_cast<std::size_t>(pinned) * itemLength_;
}

std::size_t IndexNode::KeyOffset(int position) const {
  return ItemOffset(std::min(position, kItemArea / itemLength_ - 1)) + kMdxItemPointerSize;
}

std::uint32_t IndexNode::Pointer(int position) const {
  return GetLe32(image_.data() + ItemOffset(position));
}

void IndexNode::SetPointer(int position, std::uint32_t pointer) {
  PutLe32(image_.data() + ItemOffset(position), pointer);
  changed_ = true;
}

const unsigned char* IndexNode::Key(int position) const {
  return image_.data() + KeyOffset(position);
}

void IndexNode::SetKey(int position, const unsigned char* key, int keyLength) {
  unsigned char* field = image_.data() + KeyOffset(position);
  const int length = std::clamp(keyLength, 0, KeyField());
  std::memset(field, 0, static_cast<std::size_t>(KeyField()));
  std::memcpy(field, key, static_cast<std::size_t>(length));
  changed_ = true;
}

std::uint32_t IndexNode::TrailingPointer() const {
  return GetLe32(image_.data() + ItemOffset(Count()));
}

void IndexNode::SetTrailingPointer(std::uint32_t pointer) {
  PutLe32(image_.data() + ItemOffset(Count()), pointer);
  changed_ = true;
}

bool IndexNode::Insert(int position, std::uint32_t pointer, const unsigned char* key, int keyLength,
                       int maxKeys) {
  const int count = Count();
  if (position < 0 || position > count || !HasRoom(maxKeys) ||
      (count + 1) * itemLength_ > kMdxNodeItemSpace) {
    return false;
  }
  unsigned char* at = image_.data() + ItemOffset(position);
  const std::size_t tail = ItemOffset(count) + kMdxItemPointerSize - ItemOffset(position);
  std::memmove(at + itemLength_, at, tail);
  SetCount(count + 1);
  SetPointer(position, pointer);
  SetKey(position, key, keyLength);
  return true;
}

bool IndexNode::Remove(int position) {
  const int count = Count();
  if (position < 0 || position >= count) return false;
  unsigned char* at = image_.data() + ItemOffset(position);
  const std::size_t tail = ItemOffset(count) + kMdxItemPointerSize - ItemOffset(position + 1);
  std::memmove(at, at + itemLength_, tail);
  // The bytes freed at the end return to zero.
  std::memset(image_.data() + ItemOffset(count - 1) + kMdxItemPointerSize, 0,
              static_cast<std::size_t>(itemLength_));
  SetCount(count - 1);
  changed_ = true;
  return true;
}

bool IndexNode::Split(IndexNode* upper, std::string* highestKey) {
  const int count = Count();
  const bool leaf = IsLeaf();
  const int moved = count / 2;
  const int kept = count - moved;
  if (kept < (leaf ? 1 : 2) || moved < 1) return false;

  IndexNode result(itemLength_);
  std::memcpy(result.image_.data() + kItemsOffset, image_.data() + ItemOffset(kept),
              static_cast<std::size_t>(moved) * itemLength_ + kMdxItemPointerSize);
  result.SetCount(moved);
  result.changed_ = true;

  const int remaining = leaf ? kept : kept - 1;
  const std::uint32_t trailing = leaf ? 0 : Pointer(remaining);
  const auto* key = reinterpret_cast<const char*>(Key(kept - 1));
  highestKey->assign(key, static_cast<std::size_t>(KeyField()));
  std::memset(image_.data() + ItemOffset(remaining), 0, image_.size() - ItemOffset(remaining));
  SetCount(remaining);
  SetTrailingPointer(trailing);
  *upper = result;
  return true;
}

}  // namespace pw
