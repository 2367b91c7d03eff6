#include "engine/index/mdx_file_header.h"

#include <algorithm>
#include <cstring>

#include "common/byte_order.h"
#include "common/code_page.h"

namespace pw {
namespace {

constexpr unsigned char kVersion = 2;
constexpr unsigned char kProductionIndex = 1;

// Offsets inside a tag-table entry.
constexpr std::size_t kEntryBlock = 0;
constexpr std::size_t kEntryName = 4;
constexpr std::size_t kEntryNameField = kMdxMaxTagNameLength + 1;
constexpr std::size_t kEntryLeft = 16;
constexpr std::size_t kEntryRight = 17;
constexpr std::size_t kEntryParent = 18;
constexpr std::size_t kEntryMarker = 19;
constexpr std::size_t kEntryKeyType = 20;
constexpr unsigned char kEntryMarkerValue = 2;

bool IsKeyTypeLetter(char type) {
  return type == 'C' || type == 'N' || type == 'D';
}

// Whether the name field holds its terminating zero.
bool NameTerminated(const unsigned char* entry) {
  const unsigned char* name = entry + kEntryName;
  return std::find(name, name + kEntryNameField, 0) != name + kEntryNameField;
}

}  // namespace

std::string TagTableName(std::string_view name) {
  return Upper(name.substr(0, std::min(name.size(), kMdxMaxTagNameLength)));
}

MdxHeader MdxHeader::Create(std::string_view baseName, const MdxDate& today) {
  MdxHeader header;
  Image& image = header.image_;
  image[kVersionOffset] = kVersion;
  header.PutDate(kCreationDateOffset, today);
  const std::size_t nameLength = std::min(baseName.size(), kBaseNameLength);
  std::memcpy(image.data() + kBaseNameOffset, baseName.data(), nameLength);
  PutLe16(image.data() + kBlocksPerNodeOffset, kMdxBlocksPerNode);
  PutLe16(image.data() + kNodeSizeOffset, kMdxNodeSize);
  image[kProductionOffset] = kProductionIndex;
  image[kTableEntriesOffset] = kMdxTagTableEntries;
  image[kEntrySizeOffset] = kMdxTagEntrySize;
  header.PutDate(kUpdateDateOffset, today);
  header.RebuildNameTree();
  return header;
}

MdxFault MdxHeader::Parse(const Image& image, std::uint64_t fileLength, MdxHeader* out) {
  if (fileLength < kMdxSmallestFile) return MdxFault::kFileTooShort;
  // Nodes and tag entries are read at these fixed sizes; a file that says
  // otherwise would be misread.
  if (GetLe16(image.data() + kNodeSizeOffset) != kMdxNodeSize ||
      image[kEntrySizeOffset] != kMdxTagEntrySize) {
    return MdxFault::kHeaderLayout;
  }
  const int tagCount = image[kTagCountOffset];
  if (tagCount > kMdxMaxTags) return MdxFault::kTagCount;
  const unsigned char* table = image.data() + kTagTableOffset;
  for (int n = 1; n <= tagCount; ++n) {
    const unsigned char* entry = table + kMdxTagEntrySize * n;
    const std::uint64_t block = GetLe32(entry + kEntryBlock);
    const bool blockInFile =
        block >= kMdxFirstNodeBlock && block * kMdxBlockSize + kTagHeaderReadSize <= fileLength;
    const bool linksInTable = entry[kEntryLeft] <= kMdxMaxTags &&
                              entry[kEntryRight] <= kMdxMaxTags &&
                              entry[kEntryParent] <= kMdxMaxTags;
    if (!blockInFile || !linksInTable || !NameTerminated(entry) ||
        !IsKeyTypeLetter(static_cast<char>(entry[kEntryKeyType]))) {
      return MdxFault::kTagEntry;
    }
  }
  out->image_ = image;
  return MdxFault::kNone;
}

TagEntry MdxHeader::Entry(int n) const {
  const unsigned char* entry = EntryBytes(n);
  TagEntry result;
  result.headerBlock = GetLe32(entry + kEntryBlock);
  const auto* name = reinterpret_cast<const char*>(entry + kEntryName);
  result.name.assign(name, strnlen(name, kEntryNameField));
  result.left = entry[kEntryLeft];
  result.right = entry[kEntryRight];
  result.parent = entry[kEntryParent];
  result.keyType = static_cast<char>(entry[kEntryKeyType]);
  return result;
}

int MdxHeader::FindTag(std::string_view name) const {
  const std::string wanted = TagTableName(name);
  for (int n = 1; n <= TagCount(); ++n) {
    if (Entry(n).name == wanted) return n;
  }
  return 0;
}

bool MdxHeader::AddTag(std::uint32_t headerBlock, std::string_view name, char keyType) {
  const int n = TagCount() + 1;
  if (n > kMdxMaxTags || !IsKeyTypeLetter(keyType)) return false;
  unsigned char* entry = EntryBytes(n);
  std::memset(entry, 0, kMdxTagEntrySize);
  PutLe32(entry + kEntryBlock, headerBlock);
  const std::string stored = TagTableName(name);
  // At most 10 bytes into the zeroed 11-byte field: the terminator stays.
  std::memcpy(entry + kEntryName, stored.data(), stored.size());
  entry[kEntryMarker] = kEntryMarkerValue;
  entry[kEntryKeyType] = static_cast<unsigned char>(keyType);
  image_[kTagCountOffset] = static_cast<unsigned char>(n);
  RebuildNameTree();
  return true;
}

std::uint32_t MdxHeader::BlockCount() const {
  return GetLe32(image_.data() + kBlockCountOffset);
}

void MdxHeader::CountBlocks(std::uint64_t fileLength) {
  const std::uint64_t blocks = (fileLength + kMdxBlockSize - 1) / kMdxBlockSize;
  if (blocks > BlockCount())
    PutLe32(image_.data() + kBlockCountOffset, static_cast<std::uint32_t>(blocks));
}

std::string MdxHeader::BaseName() const {
  const auto* name = reinterpret_cast<const char*>(image_.data() + kBaseNameOffset);
  return std::string(name, strnlen(name, kBaseNameLength));
}

MdxDate MdxHeader::DateAt(std::size_t offset) const {
  return {1900 + image_[offset], image_[offset + 1], image_[offset + 2]};
}

void MdxHeader::PutDate(std::size_t offset, const MdxDate& date) {
  image_[offset] = static_cast<unsigned char>((date.year - 1900) & 0xFF);
  image_[offset + 1] = static_cast<unsigned char>(date.month);
  image_[offset + 2] = static_cast<unsigned char>(date.day);
}

void MdxHeader::RebuildNameTree() {
  const int count = TagCount();
  for (int n = 1; n <= count; ++n) {
    unsigned char* entry = EntryBytes(n);
    entry[kEntryLeft] = entry[kEntryRight] = entry[kEntryParent] = 0;
  }
  EntryBytes(0)[kEntryRight] = 1;
  for (int n = 2; n <= count; ++n) {
    unsigned char* entry = EntryBytes(n);
    int node = 1;
    for (;;) {
      unsigned char* at = EntryBytes(node);
      const bool below = std::memcmp(entry + kEntryName, at + kEntryName, kEntryNameField) < 0;
      unsigned char& link = at[below ? kEntryLeft : kEntryRight];
      if (link == 0) {
        link = static_cast<unsigned char>(n);
        entry[kEntryParent] = static_cast<unsigned char>(node);
        break;
      }
      node = link;
    }
  }
}

}  // namespace pw
