#include "foreign_mdx.h"

#include <algorithm>

#include "common/byte_order.h"

namespace pw::testing {
namespace {

constexpr std::size_t kNode = 1024;

int ItemLength(int keyLength) {
  return 4 + (keyLength + 3) / 4 * 4;
}

// A node about to be written: its items and trailing pointer.
struct PendingNode {
  std::vector<LeafItem> items;  // pointer, key
  std::uint32_t trailing = 0;
  std::string highest;  // the highest key under it
};

// Appends `node` to `file` and gives its block.
std::uint32_t AppendNode(Bytes& file, const PendingNode& node, int keyLength) {
  const std::size_t at = file.size();
  file.resize(at + kNode, 0);
  unsigned char* bytes = file.data() + at;
  PutLe16(bytes, static_cast<std::uint32_t>(node.items.size()));
  const auto itemLength = static_cast<std::size_t>(ItemLength(keyLength));
  std::size_t offset = 8;
  for (const LeafItem& item : node.items) {
    PutLe32(bytes + offset, item.record);
    std::copy(item.key.begin(), item.key.begin() + keyLength, bytes + offset + 4);
    offset += itemLength;
  }
  // Items that fill the block leave no room for a leaf's (zero) trailing pointer.
  if (offset + 4 <= kNode) PutLe32(bytes + offset, node.trailing);
  return static_cast<std::uint32_t>(at / 512);
}

// Groups `children` into branches of `branchKeys` keys and a trailing child;
// a last group of one child takes one from the group before it.
std::vector<PendingNode> Branches(const std::vector<PendingNode>& children,
                                  const std::vector<std::uint32_t>& blocks, int branchKeys) {
  const std::size_t fanOut = static_cast<std::size_t>(branchKeys) + 1;
  std::vector<std::size_t> sizes(children.size() / fanOut, fanOut);
  if (const std::size_t rest = children.size() % fanOut; rest > 0) sizes.push_back(rest);
  if (sizes.size() > 1 && sizes.back() == 1) {
    --sizes[sizes.size() - 2];
    ++sizes.back();
  }
  std::vector<PendingNode> branches;
  std::size_t child = 0;
  for (const std::size_t size : sizes) {
    PendingNode branch;
    for (std::size_t k = 0; k + 1 < size; ++k, ++child) {
      branch.items.push_back({blocks[child], children[child].highest});
    }
    branch.trailing = blocks[child];
    branch.highest = children[child].highest;
    ++child;
    branches.push_back(branch);
  }
  return branches;
}

void PutHeader(Bytes& file, const std::string& tableName, char type, std::uint32_t anchorBlock) {
  unsigned char* header = file.data();
  header[0] = 2;
  header[1] = 124;  // 2024-03-07
  header[2] = 3;
  header[3] = 7;
  std::copy(tableName.begin(), tableName.begin() + std::min<std::size_t>(tableName.size(), 16),
            header + 4);
  PutLe16(header + 20, 2);
  PutLe16(header + 22, 1024);
  header[24] = 1;
  header[25] = 48;
  header[26] = 32;
  header[28] = 1;
  PutLe32(header + 32, anchorBlock);
  header[529] = 1;  // entry 0's right link: the tag-name tree's root
  unsigned char* entry = header + 544;
  PutLe32(entry, anchorBlock);
  entry[19] = 2;
  entry[20] = static_cast<unsigned char>(type);
}

}  // namespace

std::string BlankPadded(std::string text, int length) {
  text.resize(static_cast<std::size_t>(length), ' ');
  return text;
}

void WriteForeignMdx(const std::string& path, const std::string& tableName, const ForeignTag& tag) {
  Bytes file(2048, 0);
  std::vector<PendingNode> level;
  for (std::size_t first = 0; first < tag.items.size() || level.empty();
       first += static_cast<std::size_t>(tag.leafKeys)) {
    PendingNode leaf;
    const std::size_t end =
        std::min(tag.items.size(), first + static_cast<std::size_t>(tag.leafKeys));
    leaf.items.assign(tag.items.begin() + static_cast<std::ptrdiff_t>(first),
                      tag.items.begin() + static_cast<std::ptrdiff_t>(end));
    if (!leaf.items.empty()) leaf.highest = leaf.items.back().key;
    level.push_back(leaf);
  }
  std::uint32_t root = 0;
  for (;;) {
    std::vector<std::uint32_t> blocks;
    for (const PendingNode& node : level) blocks.push_back(AppendNode(file, node, tag.keyLength));
    root = blocks.back();
    if (level.size() == 1) break;
    level = Branches(level, blocks, tag.branchKeys);
  }

  const auto anchorBlock = static_cast<std::uint32_t>(file.size() / 512);
  file.resize(file.size() + kNode, 0);
  unsigned char* anchor = file.data() + anchorBlock * 512;
  PutLe32(anchor, root);
  anchor[8] = 0x10;
  anchor[9] = static_cast<unsigned char>(tag.type);
  PutLe16(anchor + 12, static_cast<std::uint32_t>(tag.keyLength));
  PutLe16(anchor + 14, static_cast<std::uint32_t>(tag.storedMaxKeys));
  PutLe16(anchor + 16, tag.type == 'D' ? 1 : 0);
  PutLe16(anchor + 18, static_cast<std::uint32_t>(ItemLength(tag.keyLength)));
  std::copy(tag.keyExpression.begin(), tag.keyExpression.end(), anchor + 24);
  PutHeader(file, tableName, tag.type, anchorBlock);
  std::copy(tag.name.begin(), tag.name.end(), file.data() + 544 + 4);
  WriteBytes(path, file);
}

}  // namespace pw::testing
