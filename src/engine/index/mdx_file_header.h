// The 2048-byte header of a multi-tag index file: identity, layout constants
// and the tag table that names every tag and the block of its tag header.
//
// Layout (integers little-endian):
//
//   0    version, 2
//   1-3  creation date: year - 1900 (modulo 256), month, day
//   4    base name of the table file, 16 bytes, zero-padded
//   20   blocks per node, 16-bit: 2
//   22   bytes per node, 16-bit: 1024
//   24   1 (production index)
//   25   entries in the tag table, entry 0 included: 48
//   26   bytes per tag-table entry: 32
//   27   0
//   28   number of tags in use
//   29   3 bytes 0
//   32   block count, 32-bit: the number of 512-byte blocks in the file.
//        Other writers put their next node at this block, so it is raised
//        to the file's length whenever the file grows (creation, a build, a
//        split) and never lowered below a count another writer left.
//   36   8 bytes 0
//   44-46 date of the last update: year - 1900, month, day
//   47   465 bytes 0
//   512  tag table: 48 entries of 32 bytes. Entry 0 is zero except its right
//        link (offset 529), which holds 1, the root of the tag-name tree.
//
//   Tag-table entry n at 512 + 32 * n, n = 1-47:
//     0   block of the tag header, 32-bit
//     4   tag name upper-cased by the Windows-1252 rules, zero-terminated,
//         at most 10 characters (11 bytes)
//     15  0
//     16  left link: the entry whose name sorts below this one, 0 if none
//     17  right link: the entry whose name sorts at or above, 0 if none
//     18  parent entry, 0 for the root
//     19  2
//     20  key type letter: C, N or D
//     21  11 bytes 0
//
//   Tag-name tree: rebuilt whenever a tag is added. Entry 1 is the root;
//   entries 2, 3, ... are inserted in table order, comparing the 11 name
//   bytes as unsigned bytes: a smaller name goes left, an equal or larger one
//   right.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/index/mdx_fault.h"
#include "engine/index/mdx_limits.h"

namespace pw {

struct MdxDate {
  int year = 1900;
  int month = 1;
  int day = 1;
};

struct TagEntry {
  std::uint32_t headerBlock = 0;
  std::string name;
  int left = 0;
  int right = 0;
  int parent = 0;
  char keyType = 0;
};

class MdxHeader {
 public:
  using Image = std::array<unsigned char, kMdxHeaderSize>;

  // The header of a new file: version 2, `today` as creation and update
  // date, the first 16 characters of `baseName`, the layout constants and
  // no tags.
  static MdxHeader Create(std::string_view baseName, const MdxDate& today);
  // Checks an image read from a file of `fileLength` bytes: layout
  // constants, tag count, and for every tag in use its header block (within
  // the file), its links (inside the table) and its key type.
  static MdxFault Parse(const Image& image, std::uint64_t fileLength, MdxHeader* out);

  const Image& Bytes() const { return image_; }

  int TagCount() const { return image_[kTagCountOffset]; }
  // Entry n, 1 to TagCount().
  TagEntry Entry(int n) const;
  // The entry whose name equals `name` cut to 10 characters and
  // upper-cased; 0 when there is none.
  int FindTag(std::string_view name) const;
  // Enters a tag as entry TagCount() + 1 and rebuilds the tag-name tree;
  // false when the table is full or the key type is not C, N or D.
  bool AddTag(std::uint32_t headerBlock, std::string_view name, char keyType);

  std::uint32_t BlockCount() const;
  // Raises the block count to cover a file of `fileLength` bytes.
  void CountBlocks(std::uint64_t fileLength);
  MdxDate CreationDate() const { return DateAt(kCreationDateOffset); }
  MdxDate UpdateDate() const { return DateAt(kUpdateDateOffset); }
  std::string BaseName() const;

 private:
  static constexpr std::size_t kVersionOffset = 0;
  static constexpr std::size_t kCreationDateOffset = 1;
  static constexpr std::size_t kBaseNameOffset = 4;
  static constexpr std::size_t kBaseNameLength = 16;
  static constexpr std::size_t kBlocksPerNodeOffset = 20;
  static constexpr std::size_t kNodeSizeOffset = 22;
  static constexpr std::size_t kProductionOffset = 24;
  static constexpr std::size_t kTableEntriesOffset = 25;
  static constexpr std::size_t kEntrySizeOffset = 26;
  static constexpr std::size_t kTagCountOffset = 28;
  static constexpr std::size_t kBlockCountOffset = 32;
  static constexpr std::size_t kUpdateDateOffset = 44;
  static constexpr std::size_t kTagTableOffset = 512;

  unsigned char* EntryBytes(int n) {
    return image_.data() + kTagTableOffset + kMdxTagEntrySize * n;
  }
  const unsigned char* EntryBytes(int n) const {
    return image_.data() + kTagTableOffset + kMdxTagEntrySize * n;
  }
  MdxDate DateAt(std::size_t offset) const;
  void PutDate(std::size_t offset, const MdxDate& date);
  void RebuildNameTree();

  Image image_{};
};

// The tag name as the tag table stores it: cut to 10 characters, upper-cased.
std::string TagTableName(std::string_view name);

}  // namespace pw
