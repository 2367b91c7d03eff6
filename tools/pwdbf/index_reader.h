// Reading a multi-tag index file through the engine's format layer, without
// the index unit: the header, each tag's anchor, and an in-order walk of a
// tag's tree from its root that checks the tree on the way (every node
// readable and reached once, all leaves at one depth, no empty node below
// the root, every branch key the highest key under its child).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/index/key_collation.h"
#include "engine/index/mdx_file_header.h"
#include "engine/index/tag_header.h"
#include "platform/file.h"

namespace pw::pwdbf {

struct IndexTagInfo {
  int number = 0;  // tag-table entry, 1-47
  std::string name;
  std::uint32_t anchorBlock = 0;
  TagHeader anchor;
};

// One leaf item in key order: the record, the key (key length bytes) and
// where it was found.
struct WalkedItem {
  std::uint32_t record = 0;
  std::string key;
  std::uint32_t block = 0;
  int position = 0;
};

class IndexReader {
 public:
  // Opens `path` read-only and reads its header. Throws ToolError.
  explicit IndexReader(const std::string& path);

  int TagCount() const { return header_.TagCount(); }
  // The header's block count (offset 32) and the 512-byte blocks the file
  // holds (a part block counted whole).
  std::uint32_t BlockCount() const { return header_.BlockCount(); }
  std::uint64_t FileBlocks() const { return fileBlocks_; }
  // Tag n (1 to TagCount()); throws ToolError when its anchor is unreadable.
  IndexTagInfo Tag(int n) const;
  // Every item of the tag in key order; what is wrong with the tree is
  // added to `problems` (C keys shown from OEM when `oemText`).
  // C keys are compared in `collation`.
  std::vector<WalkedItem> Walk(const IndexTagInfo& tag, bool oemText, KeyCollation collation,
                               std::vector<std::string>* problems) const;

 private:
  std::string path_;
  platform::File file_;
  MdxHeader header_;
  std::uint64_t fileBlocks_ = 0;
};

// A key as a person reads it: C as quoted text (converted from OEM when
// `oemText`), N as its number, D as YYYY-MM-DD or "blank".
std::string DisplayKey(const TagHeader& anchor, const std::string& key, bool oemText);

// "C", "N" or "D".
std::string KeyTypeName(const TagHeader& anchor);

}  // namespace pw::pwdbf
