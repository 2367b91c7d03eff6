#include "index_reader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>

#include "common/code_page.h"
#include "common/error_text.h"
#include "engine/expr/day_number.h"
#include "engine/index/index_key.h"
#include "engine/index/index_node.h"
#include "engine/index/mdx_io.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

// Deeper than any tree of 1024-byte nodes over 2^32 records can be.
constexpr int kMaxDepth = 32;

std::string CodeText(int code) {
  return ErrorText(static_cast<std::uint16_t>(code));
}

class TreeWalk {
 public:
  TreeWalk(const platform::File& file, const IndexTagInfo& tag, bool oemText,
           KeyCollation collation, std::vector<std::string>* problems)
      : file_(file),
        tag_(tag),
        order_(tag.anchor.Order(collation)),
        oemText_(oemText),
        problems_(problems) {}

  std::vector<WalkedItem> Run() {
    Visit(tag_.anchor.RootBlock(), 0);
    return std::move(items_);
  }

 private:
  void Problem(const std::string& text) {
    problems_->push_back("tag " + Utf8FromCp1252(tag_.name) + ": " + text);
  }

  std::string KeyOf(const IndexNode& node, int position) const {
    return std::string(reinterpret_cast<const char*>(node.Key(position)),
                       static_cast<std::size_t>(tag_.anchor.KeyLength()));
  }

  // Appends the items under `block`; gives the highest key there, none when
  // the subtree holds no key or could not be read.
  std::optional<std::string> Visit(std::uint32_t block, int depth) {
    const std::string where = "node at block " + std::to_string(block);
    if (depth > kMaxDepth) {
      Problem(where + ": tree deeper than " + std::to_string(kMaxDepth) + " levels");
      return std::nullopt;
    }
    if (!visited_.insert(block).second) {
      Problem(where + " is reached twice");
      return std::nullopt;
    }
    IndexNode node(tag_.anchor.ItemLength());
    if (int code = ReadNode(file_, block, tag_.anchor.ItemLength(), &node); code != 0) {
      Problem(where + " cannot be read: " + CodeText(code));
      return std::nullopt;
    }
    // Other writers fill branches as full as leaves, and nodes to their
    // stored maximum where the block holds it: both shapes read alike.
    const int most = std::max(tag_.anchor.MaxKeys(), tag_.anchor.LeafCapacity());
    if (node.Count() > most) {
      Problem(where + " holds " + std::to_string(node.Count()) + " keys, more than " +
              std::to_string(most));
    }
    if (node.Count() == 0 && depth > 0) Problem(where + " is empty");
    return node.IsLeaf() ? VisitLeaf(node, block, depth) : VisitBranch(node, block, depth);
  }

  std::optional<std::string> VisitLeaf(const IndexNode& node, std::uint32_t block, int depth) {
    if (leafDepth_ < 0) leafDepth_ = depth;
    if (depth != leafDepth_) {
      Problem("leaf at block " + std::to_string(block) + " lies at depth " + std::to_string(depth) +
              ", the first leaf at depth " + std::to_string(leafDepth_));
    }
    for (int i = 0; i < node.Count(); ++i) {
      items_.push_back({node.Pointer(i), KeyOf(node, i), block, i});
    }
    if (node.Count() == 0) return std::nullopt;
    return KeyOf(node, node.Count() - 1);
  }

  std::optional<std::string> VisitBranch(const IndexNode& node, std::uint32_t block, int depth) {
    std::optional<std::string> highest;
    for (int i = 0; i < node.Count(); ++i) {
      const std::string branchKey = KeyOf(node, i);
      const std::optional<std::string> under = Visit(node.Pointer(i), depth + 1);
      if (under && order_.Compare(reinterpret_cast<const unsigned char*>(under->data()),
                                  reinterpret_cast<const unsigned char*>(branchKey.data())) != 0) {
        Problem("branch key at block " + std::to_string(block) + " item " + std::to_string(i) +
                " is " + DisplayKey(tag_.anchor, branchKey, oemText_) +
                ", the highest key under its child is " +
                DisplayKey(tag_.anchor, *under, oemText_));
      }
      highest = branchKey;
    }
    if (std::optional<std::string> last = Visit(node.TrailingPointer(), depth + 1)) return last;
    return highest;
  }

  const platform::File& file_;
  const IndexTagInfo& tag_;
  KeyOrder order_;
  bool oemText_;
  std::vector<std::string>* problems_;
  std::vector<WalkedItem> items_;
  std::set<std::uint32_t> visited_;
  int leafDepth_ = -1;
};

}  // namespace

IndexReader::IndexReader(const std::string& path) : path_(path) {
  if (int code = file_.Open(path, platform::Access::Read, platform::Sharing::Shared); code != 0) {
    throw ToolError(path, "cannot open the index: " + CodeText(code));
  }
  if (int code = ReadMdxHeader(file_, &header_); code != 0) {
    throw ToolError(path, "not a readable index: " + CodeText(code));
  }
  std::uint64_t length = 0;
  if (int code = file_.Size(&length); code != 0) {
    throw ToolError(path, "cannot read the index's size: " + CodeText(code));
  }
  fileBlocks_ = (length + kMdxBlockSize - 1) / kMdxBlockSize;
}

IndexTagInfo IndexReader::Tag(int n) const {
  const TagEntry entry = header_.Entry(n);
  IndexTagInfo tag{n, entry.name, entry.headerBlock, TagHeader()};
  if (int code = ReadTagHeader(file_, entry.headerBlock, &tag.anchor); code != 0) {
    throw ToolError(path_, "tag " + Utf8FromCp1252(entry.name) + ": header at block " +
                               std::to_string(entry.headerBlock) +
                               " cannot be read: " + CodeText(code));
  }
  return tag;
}

std::vector<WalkedItem> IndexReader::Walk(const IndexTagInfo& tag, bool oemText,
                                          KeyCollation collation,
                                          std::vector<std::string>* problems) const {
  return TreeWalk(file_, tag, oemText, collation, problems).Run();
}

std::string DisplayKey(const TagHeader& anchor, const std::string& key, bool oemText) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(key.data());
  switch (anchor.Type()) {
    case KeyType::kNumeric:
      return PackedDecimalText(bytes);
    case KeyType::kDate: {
      const double day = DateKeyValue(bytes);
      if (day < kDayBeforeFirstDate + 1 || day > kLastDay) return "blank";
      const CivilDate date = CivilDateOf(static_cast<std::int64_t>(day));
      char text[16];
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
      return text;
    }
    case KeyType::kCharacter:
      break;
  }
  std::string text = key.substr(0, key.find('\0'));
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return "\"" + Utf8FromCp1252(oemText ? OemToAnsi(text) : text) + "\"";
}

std::string KeyTypeName(const TagHeader& anchor) {
  return std::string(1, static_cast<char>(anchor.Type()));
}

}  // namespace pw::pwdbf
