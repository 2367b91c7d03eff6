// One 1024-byte node of a tag's B+ tree, leaf or branch.
//
// Layout (integers little-endian):
//
//   0    number of items, 16-bit
//   2    16-bit 0 on disk (the changed flag lives beside the image in memory)
//   4    4 bytes 0
//   8    the items, item length bytes each: a 4-byte pointer, then the key
//        padded with zero bytes to the item length
//   8 + count * item length: the trailing pointer, 32-bit
//
// In a leaf every pointer is a record number (1-based) and the trailing
// pointer is 0; a leaf whose items fill the block to its end (other writers
// put 127 1-character keys in one) has no room for it and reads as a leaf. In a branch every
// pointer is the block of a child node, the item's key is the highest key under that child, and the
// trailing pointer is the block of the rightmost child, whose keys are above every key of the
// branch. A node is a leaf exactly when its trailing pointer is 0.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/index/mdx_fault.h"
#include "engine/index/mdx_limits.h"

namespace pw {

class IndexNode {
 public:
  using Image = std::array<unsigned char, kMdxNodeSize>;

  // An empty leaf of a tag with items of `itemLength` bytes (8 to 1012).
  explicit IndexNode(int itemLength);

  // Checks a node read from a file: its items must lie inside the node. The
  // changed flag starts clear.
  static MdxFault Parse(const unsigned char* bytes, int itemLength, IndexNode* out);

  // The image as written to disk.
  Image Bytes() const;
  int ItemLength() const { return itemLength_; }

  int Count() const;
  bool IsLeaf() const { return TrailingPointer() == 0; }
  // Room for one more item under a tag that allows `maxKeys` per node.
  bool HasRoom(int maxKeys) const;

  std::uint32_t Pointer(int position) const;
  void SetPointer(int position, std::uint32_t pointer);
  // The key bytes of an item: item length - 4 bytes, the key zero-padded.
  const unsigned char* Key(int position) const;
  // Sets the key of an item from `keyLength` bytes, zero-padding the rest.
  void SetKey(int position, const unsigned char* key, int keyLength);
  std::uint32_t TrailingPointer() const;
  void SetTrailingPointer(std::uint32_t pointer);
  // A branch's child at `position`, 0 to Count(): Count() is the trailing
  // pointer.
  std::uint32_t ChildAt(int position) const {
    return position < Count() ? Pointer(position) : TrailingPointer();
  }

  // Inserts an item in front of `position` (0 to Count()); the items after
  // it and the trailing pointer move up. False when the node has no room
  // for another item or the position lies outside the node.
  bool Insert(int position, std::uint32_t pointer, const unsigned char* key, int keyLength,
              int maxKeys);
  // Removes the item at `position`; the items after it and the trailing
  // pointer move down. False for a position outside the node.
  bool Remove(int position);

  // Splits a node that has run out of room: `upper` receives the last
  // Count() / 2 items and the trailing pointer, and this node keeps the
  // rest. A branch then gives up its last remaining item, whose pointer
  // becomes its trailing pointer. Afterwards the highest key under this node
  // is `highestKey` (the given-up item's key for a branch, the last item's
  // key for a leaf). False, with nothing changed, for a node of fewer than
  // two items (three for a branch).
  bool Split(IndexNode* upper, std::string* highestKey);

  bool Changed() const { return changed_; }
  void SetChanged(bool changed) { changed_ = changed; }

 private:
  static constexpr std::size_t kCountOffset = 0;
  static constexpr std::size_t kItemsOffset = 8;
  // Items and the trailing pointer share the bytes after the node prefix.
  static constexpr int kItemArea = static_cast<int>(kMdxNodeSize - kItemsOffset);

  // Positions past the end of the item area are pinned to it (for keys, to
  // the last whole item), so that no access leaves the image.
  std::size_t ItemOffset(int position) const;
  std::size_t KeyOffset(int position) const;
  int KeyField() const { return itemLength_ - kMdxItemPointerSize; }
  void SetCount(int count);

  // The block, then 4 zero bytes: the trailing pointer of a leaf whose
  // items fill the block, never written.
  std::array<unsigned char, kMdxNodeSize + kMdxItemPointerSize> image_{};
  int itemLength_;
  bool changed_ = false;
};

}  // namespace pw
