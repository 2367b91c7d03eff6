// The tag header (anchor node): one per tag, 1024 bytes at its own block,
// read when the index is opened and written back whenever the root moves or
// a key is inserted. Only its first 983 bytes are read back.
//
// Layout (integers little-endian):
//
//   0    block of the root node, 32-bit
//   4    4 bytes 0
//   8    flags: 0x10 always, + 0x08 descending, + 0x40 unique
//   9    key type letter: C, N or D
//   10   2 bytes 0
//   12   key length in bytes, 16-bit (C 1-100, N 12, D 8)
//   14   maximum keys per node, 16-bit: 1012 / item length (other writers
//        store other values, such as 127 for 1-character keys, which no node
//        block holds; see LeafCapacity)
//   16   secondary type, 16-bit: 1 for D, 0 for C and N
//   18   item length, 16-bit: 4 + the key length rounded up to a multiple of 4
//   20   3 bytes 0
//   23   1 for a unique tag, else 0
//   24   key expression, zero-terminated (221 bytes)
//   245  1 when the tag has a FOR condition
//   246  1 once at least one record has satisfied the FOR condition
//   247  515 bytes 0
//   762  FOR expression, zero-terminated, empty when none (221 bytes)
//   983  41 bytes 0
//
// The image read from a file is kept whole, so that bytes this engine does
// not use survive when the anchor is written back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/index/index_key.h"
#include "engine/index/mdx_fault.h"
#include "engine/index/mdx_limits.h"

namespace pw {

// What a new tag is made of.
struct TagDefinition {
  KeyType keyType = KeyType::kCharacter;
  int keyLength = 0;
  std::string keyExpression;
  std::string forExpression;  // blank for none
  bool descending = false;
  bool unique = false;
};

// 4 + the key length rounded up to a multiple of 4.
int ItemLengthFor(int keyLength);
// 1012 / item length.
int MaxKeysFor(int itemLength);
// The keys a branch node holds besides its trailing pointer under a tag of
// `maxKeys` keys per node: one less, so that no node holds more pointers
// than the maximum (readers that take the maximum at its word lose the rest).
int BranchKeysFor(int maxKeys);

class TagHeader {
 public:
  using Image = std::array<unsigned char, kMdxNodeSize>;

  // A new tag header with its root at `rootBlock`. Refuses a key type
  // other than C, N, D (kKeyType), a key length outside 1-100 or other than
  // 12 for N and 8 for D (kKeyLength), and an expression text above 220
  // characters (kExpression).
  static MdxFault Create(const TagDefinition& definition, std::uint32_t rootBlock, TagHeader* out);
  // Checks the first 983 bytes of a tag header read from a file: key type,
  // key length, an item length that fits a node, both expressions
  // terminated. The stored maximum keys per node is not checked: writers
  // disagree about it, and the capacities below never exceed the node. The
  // root block is checked by the reader, which knows the file length.
  static MdxFault Parse(const unsigned char* bytes, TagHeader* out);

  const Image& Bytes() const { return image_; }

  std::uint32_t RootBlock() const;
  void SetRootBlock(std::uint32_t block);
  bool ForSatisfied() const { return image_[kForSatisfiedOffset] != 0; }
  void SetForSatisfied(bool satisfied);

  KeyType Type() const { return static_cast<KeyType>(image_[kKeyTypeOffset]); }
  int KeyLength() const;
  // The stored maximum keys per node, as written.
  int MaxKeys() const;
  // The keys a leaf takes when keys are added: the stored maximum where a
  // node block holds that many (and a split of a full branch still works),
  // else what the block holds, 1012 / item length.
  int LeafCapacity() const;
  // The keys a branch takes besides its trailing pointer (BranchKeysFor).
  int BranchCapacity() const;
  int ItemLength() const;
  bool Descending() const { return (image_[kFlagsOffset] & kDescendingFlag) != 0; }
  bool Unique() const { return (image_[kFlagsOffset] & kUniqueFlag) != 0; }
  bool HasFor() const { return image_[kHasForOffset] != 0; }
  std::string KeyExpression() const { return TextAt(kKeyExpressionOffset); }
  std::string ForExpression() const { return TextAt(kForExpressionOffset); }
  // The tag's key order over its whole key length.
  KeyOrder Order(KeyCollation collation) const;

 private:
  static constexpr std::size_t kRootOffset = 0;
  static constexpr std::size_t kFlagsOffset = 8;
  static constexpr std::size_t kKeyTypeOffset = 9;
  static constexpr std::size_t kKeyLengthOffset = 12;
  static constexpr std::size_t kMaxKeysOffset = 14;
  static constexpr std::size_t kSecondaryTypeOffset = 16;
  static constexpr std::size_t kItemLengthOffset = 18;
  static constexpr std::size_t kUniqueOffset = 23;
  static constexpr std::size_t kKeyExpressionOffset = 24;
  static constexpr std::size_t kHasForOffset = 245;
  static constexpr std::size_t kForSatisfiedOffset = 246;
  static constexpr std::size_t kForExpressionOffset = 762;
  static constexpr std::size_t kExpressionField = kMdxMaxExpressionLength + 1;
  static constexpr unsigned char kAlwaysFlag = 0x10;
  static constexpr unsigned char kDescendingFlag = 0x08;
  static constexpr unsigned char kUniqueFlag = 0x40;

  std::string TextAt(std::size_t offset) const;
  void PutText(std::size_t offset, std::string_view text);

  Image image_{};
};

}  // namespace pw
