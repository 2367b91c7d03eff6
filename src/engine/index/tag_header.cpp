#include "engine/index/tag_header.h"

#include <algorithm>
#include <cstring>

#include "common/byte_order.h"

namespace pw {
namespace {

constexpr std::uint16_t kSecondaryTypeDate = 1;
// The fewest keys per node under which a full branch still splits into two
// branches of at least one key and a trailing pointer each.
constexpr int kFewestKeysPerNode = 4;

// The length a key of `type` must have; 0 when any length of 1-100 will do.
int FixedKeyLength(KeyType type) {
  switch (type) {
    case KeyType::kNumeric:
      return kNumericKeyLength;
    case KeyType::kDate:
      return kDateKeyLength;
    case KeyType::kCharacter:
      break;
  }
  return 0;
}

bool KeyLengthFits(KeyType type, int keyLength) {
  const int fixed = FixedKeyLength(type);
  if (fixed != 0) return keyLength == fixed;
  return keyLength >= kMdxMinKeyLength && keyLength <= kMdxMaxKeyLength;
}

bool Terminated(const unsigned char* field, std::size_t size) {
  return std::find(field, field + size, 0) != field + size;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

int ItemLengthFor(int keyLength) {
  return kMdxItemPointerSize + (keyLength + 3) / 4 * 4;
}

int MaxKeysFor(int itemLength) {
  return kMdxNodeItemSpace / itemLength;
}

int BranchKeysFor(int maxKeys) {
  return maxKeys - 1;
}

MdxFault TagHeader::Create(const TagDefinition& definition, std::uint32_t rootBlock,
                           TagHeader* out) {
  if (!IsKeyType(static_cast<char>(definition.keyType))) return MdxFault::kKeyType;
  if (!KeyLengthFits(definition.keyType, definition.keyLength)) return MdxFault::kKeyLength;
  if (definition.keyExpression.size() > kMdxMaxExpressionLength ||
      definition.forExpression.size() > kMdxMaxExpressionLength) {
    return MdxFault::kExpression;
  }
  TagHeader header;
  Image& image = header.image_;
  PutLe32(image.data() + kRootOffset, rootBlock);
  image[kFlagsOffset] = kAlwaysFlag | (definition.descending ? kDescendingFlag : 0) |
                        (definition.unique ? kUniqueFlag : 0);
  image[kKeyTypeOffset] = static_cast<unsigned char>(definition.keyType);
  const int itemLength = ItemLengthFor(definition.keyLength);
  PutLe16(image.data() + kKeyLengthOffset, static_cast<std::uint32_t>(definition.keyLength));
  PutLe16(image.data() + kMaxKeysOffset, static_cast<std::uint32_t>(MaxKeysFor(itemLength)));
  PutLe16(image.data() + kSecondaryTypeOffset,
          definition.keyType == KeyType::kDate ? kSecondaryTypeDate : 0);
  PutLe16(image.data() + kItemLengthOffset, static_cast<std::uint32_t>(itemLength));
  image[kUniqueOffset] = definition.unique ? 1 : 0;
  header.PutText(kKeyExpressionOffset, definition.keyExpression);
  const bool hasFor = !IsBlank(definition.forExpression);
  image[kHasForOffset] = hasFor ? 1 : 0;
  if (hasFor) header.PutText(kForExpressionOffset, definition.forExpression);
  *out = header;
  return MdxFault::kNone;
}

MdxFault TagHeader::Parse(const unsigned char* bytes, TagHeader* out) {
  TagHeader header;
  std::memcpy(header.image_.data(), bytes, kTagHeaderReadSize);
  const char type = static_cast<char>(header.image_[kKeyTypeOffset]);
  if (!IsKeyType(type)) return MdxFault::kKeyType;
  if (!KeyLengthFits(header.Type(), header.KeyLength())) return MdxFault::kKeyLength;
  // Items must hold their key, and a node enough of them to split.
  const int itemLength = header.ItemLength();
  if (itemLength < kMdxItemPointerSize + header.KeyLength() ||
      MaxKeysFor(itemLength) < kFewestKeysPerNode) {
    return MdxFault::kItemLayout;
  }
  if (!Terminated(bytes + kKeyExpressionOffset, kExpressionField) ||
      !Terminated(bytes + kForExpressionOffset, kExpressionField)) {
    return MdxFault::kExpression;
  }
  *out = header;
  return MdxFault::kNone;
}

std::uint32_t TagHeader::RootBlock() const {
  return GetLe32(image_.data() + kRootOffset);
}

void TagHeader::SetRootBlock(std::uint32_t block) {
  PutLe32(image_.data() + kRootOffset, block);
}

void TagHeader::SetForSatisfied(bool satisfied) {
  image_[kForSatisfiedOffset] = satisfied ? 1 : 0;
}

int TagHeader::KeyLength() const {
  return GetLe16(image_.data() + kKeyLengthOffset);
}

int TagHeader::MaxKeys() const {
  return GetLe16(image_.data() + kMaxKeysOffset);
}

int TagHeader::LeafCapacity() const {
  const int fits = MaxKeysFor(ItemLength());
  const int stored = MaxKeys();
  return stored >= kFewestKeysPerNode && stored <= fits ? stored : fits;
}

int TagHeader::BranchCapacity() const {
  return BranchKeysFor(LeafCapacity());
}

int TagHeader::ItemLength() const {
  return GetLe16(image_.data() + kItemLengthOffset);
}

KeyOrder TagHeader::Order(KeyCollation collation) const {
  return {Type(), static_cast<std::size_t>(KeyLength()), Descending(), collation};
}

std::string TagHeader::TextAt(std::size_t offset) const {
  const auto* text = reinterpret_cast<const char*>(image_.data() + offset);
  return std::string(text, strnlen(text, kExpressionField));
}

void TagHeader::PutText(std::size_t offset, std::string_view text) {
  std::memset(image_.data() + offset, 0, kExpressionField);
  std::memcpy(image_.data() + offset, text.data(), text.size());
}

}  // namespace pw
