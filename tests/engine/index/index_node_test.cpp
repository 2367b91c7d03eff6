// Nodes: item layout, leaf and room tests, inserting, removing and
// splitting items, searching within a node, and damaged nodes refused.
#include <gtest/gtest.h>

#include <string>

#include "common/byte_order.h"
#include "engine/index/index_node.h"
#include "engine/index/node_search.h"

namespace pw {
namespace {

constexpr int kItemLength = 8;  // C 1
constexpr int kMaxKeys = 126;

const unsigned char* Text(const char* text) {
  return reinterpret_cast<const unsigned char*>(text);
}

// A leaf of C 1 keys 'A', 'B', ... for records 1, 2, ...
IndexNode LetterLeaf(int count) {
  IndexNode node(kItemLength);
  for (int i = 0; i < count; ++i) {
    const unsigned char key = static_cast<unsigned char>('A' + i % 26);
    EXPECT_TRUE(node.Insert(i, static_cast<std::uint32_t>(i + 1), &key, 1, kMaxKeys));
  }
  return node;
}

TEST(IndexNodeTest, EmptyNodeIsAZeroedLeaf) {
  const IndexNode node(56);
  EXPECT_EQ(node.Count(), 0);
  EXPECT_TRUE(node.IsLeaf());
  EXPECT_FALSE(node.Changed());
  for (unsigned char byte : node.Bytes()) ASSERT_EQ(byte, 0);
}

TEST(IndexNodeTest, ItemsArePointerThenZeroPaddedKey) {
  IndexNode node(56);
  ASSERT_TRUE(node.Insert(0, 7, Text("NOTES"), 5, 18));
  const auto& b = node.Bytes();
  EXPECT_EQ(GetLe16(&b[0]), 1);
  EXPECT_EQ(GetLe32(&b[8]), 7u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[12]), 5), "NOTES");
  for (int i = 17; i < 8 + 56 + 4; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_TRUE(node.Changed());
  EXPECT_EQ(GetLe16(&b[2]), 0);  // the changed flag is not part of the image
}

TEST(IndexNodeTest, LeafTestReadsTheTrailingPointer) {
  IndexNode node = LetterLeaf(3);
  EXPECT_TRUE(node.IsLeaf());
  node.SetTrailingPointer(12);
  EXPECT_FALSE(node.IsLeaf());
  EXPECT_EQ(GetLe32(node.Bytes().data() + 8 + 3 * kItemLength), 12u);
}

TEST(IndexNodeTest, InsertKeepsOrderAndMovesTheTrailingPointer) {
  IndexNode node(kItemLength);
  node.SetTrailingPointer(99);
  const unsigned char a = 'A', b = 'B', c = 'C';
  ASSERT_TRUE(node.Insert(0, 3, &c, 1, kMaxKeys));
  ASSERT_TRUE(node.Insert(0, 1, &a, 1, kMaxKeys));
  ASSERT_TRUE(node.Insert(1, 2, &b, 1, kMaxKeys));
  ASSERT_EQ(node.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(node.Pointer(i), static_cast<std::uint32_t>(i + 1));
    EXPECT_EQ(node.Key(i)[0], 'A' + i);
  }
  EXPECT_EQ(node.TrailingPointer(), 99u);
  EXPECT_FALSE(node.Insert(5, 4, &a, 1, kMaxKeys));
  EXPECT_FALSE(node.Insert(-1, 4, &a, 1, kMaxKeys));
}

TEST(IndexNodeTest, RoomEndsAtTheMaximumKeys) {
  IndexNode node = LetterLeaf(kMaxKeys - 1);
  EXPECT_TRUE(node.HasRoom(kMaxKeys));
  const unsigned char z = 'Z';
  ASSERT_TRUE(node.Insert(node.Count(), 500, &z, 1, kMaxKeys));
  EXPECT_FALSE(node.HasRoom(kMaxKeys));
  EXPECT_FALSE(node.Insert(0, 501, &z, 1, kMaxKeys));
  // A bogus maximum from a damaged header cannot push items out of the node.
  EXPECT_FALSE(node.Insert(0, 501, &z, 1, 1000));
  EXPECT_EQ(node.Count(), kMaxKeys);
}

TEST(IndexNodeTest, RemoveClosesTheGapAndZeroesTheFreedBytes) {
  IndexNode node = LetterLeaf(4);
  ASSERT_TRUE(node.Remove(1));
  ASSERT_EQ(node.Count(), 3);
  EXPECT_EQ(node.Key(0)[0], 'A');
  EXPECT_EQ(node.Key(1)[0], 'C');
  EXPECT_EQ(node.Pointer(2), 4u);
  EXPECT_TRUE(node.IsLeaf());
  for (std::size_t i = 8 + 3 * kItemLength; i < node.Bytes().size(); ++i) {
    ASSERT_EQ(node.Bytes()[i], 0) << i;
  }
  EXPECT_FALSE(node.Remove(3));
  while (node.Count() > 0) ASSERT_TRUE(node.Remove(0));
  EXPECT_FALSE(node.Remove(0));
}

TEST(IndexNodeTest, LeafSplitMovesTheUpperHalf) {
  IndexNode node = LetterLeaf(kMaxKeys);
  IndexNode upper(kItemLength);
  std::string highest;
  ASSERT_TRUE(node.Split(&upper, &highest));
  EXPECT_EQ(upper.Count(), kMaxKeys / 2);
  EXPECT_EQ(node.Count(), kMaxKeys - kMaxKeys / 2);
  EXPECT_TRUE(node.IsLeaf());
  EXPECT_TRUE(upper.IsLeaf());
  EXPECT_EQ(upper.Pointer(0), static_cast<std::uint32_t>(node.Count() + 1));
  EXPECT_EQ(upper.Pointer(upper.Count() - 1), static_cast<std::uint32_t>(kMaxKeys));
  EXPECT_EQ(highest[0], node.Key(node.Count() - 1)[0]);
  EXPECT_EQ(highest.size(), 4u);
  EXPECT_TRUE(upper.Changed());
}

TEST(IndexNodeTest, BranchSplitGivesUpOneMoreItemAsTrailingPointer) {
  // A branch of 7 children: blocks 10, 12, ..., 22, keys A-G, rightmost 24.
  IndexNode node(kItemLength);
  for (int i = 0; i < 7; ++i) {
    const unsigned char key = static_cast<unsigned char>('A' + i);
    ASSERT_TRUE(node.Insert(i, static_cast<std::uint32_t>(10 + 2 * i), &key, 1, kMaxKeys));
  }
  node.SetTrailingPointer(24);
  IndexNode upper(kItemLength);
  std::string highest;
  ASSERT_TRUE(node.Split(&upper, &highest));
  // Upper: E F G and the old rightmost child; lower: A B C, then D's child.
  ASSERT_EQ(upper.Count(), 3);
  EXPECT_EQ(upper.Key(0)[0], 'E');
  EXPECT_EQ(upper.TrailingPointer(), 24u);
  ASSERT_EQ(node.Count(), 3);
  EXPECT_EQ(node.Key(2)[0], 'C');
  EXPECT_EQ(node.TrailingPointer(), 16u);
  EXPECT_FALSE(node.IsLeaf());
  EXPECT_EQ(highest[0], 'D');
  for (std::size_t i = 8 + 3 * kItemLength + 4; i < node.Bytes().size(); ++i) {
    ASSERT_EQ(node.Bytes()[i], 0) << i;
  }
}

TEST(IndexNodeTest, NodesTooSmallToSplitAreLeftAlone) {
  IndexNode leaf = LetterLeaf(1);
  IndexNode upper(kItemLength);
  std::string highest;
  EXPECT_FALSE(leaf.Split(&upper, &highest));
  EXPECT_EQ(leaf.Count(), 1);
  IndexNode branch = LetterLeaf(2);
  branch.SetTrailingPointer(40);
  EXPECT_FALSE(branch.Split(&upper, &highest));
  EXPECT_EQ(branch.Count(), 2);
}

TEST(IndexNodeTest, ParsedNodeDropsTheChangedFlagAndRefusesOverlongCounts) {
  IndexNode::Image bytes = LetterLeaf(5).Bytes();
  bytes[2] = 1;
  IndexNode read(kItemLength);
  ASSERT_EQ(IndexNode::Parse(bytes.data(), kItemLength, &read), MdxFault::kNone);
  EXPECT_EQ(read.Count(), 5);
  EXPECT_EQ(read.Bytes()[2], 0);
  EXPECT_FALSE(read.Changed());

  PutLe16(bytes.data(), 126);  // 126 * 8 = 1008: still inside
  EXPECT_EQ(IndexNode::Parse(bytes.data(), kItemLength, &read), MdxFault::kNone);
  PutLe16(bytes.data(), 127);  // 1016: the items fill the block
  EXPECT_EQ(IndexNode::Parse(bytes.data(), kItemLength, &read), MdxFault::kNone);
  PutLe16(bytes.data(), 128);
  EXPECT_EQ(IndexNode::Parse(bytes.data(), kItemLength, &read), MdxFault::kNodeCount);
  PutLe16(bytes.data(), 0xFFFF);
  EXPECT_EQ(IndexNode::Parse(bytes.data(), kItemLength, &read), MdxFault::kNodeCount);
  EXPECT_EQ(IndexNode::Parse(bytes.data(), 0, &read), MdxFault::kItemLayout);
  EXPECT_EQ(IndexNode::Parse(bytes.data(), 1013, &read), MdxFault::kItemLayout);
}

TEST(IndexNodeTest, LeafFillingTheBlockReadsAsLeafAndSplitsAndShrinksInside) {
  // 127 items of 8 bytes leave no room for the trailing pointer; the last
  // 4 bytes are the pointer of item 127, not a child.
  IndexNode::Image bytes{};
  PutLe16(bytes.data(), 127);
  for (int i = 0; i < 127; ++i) {
    PutLe32(bytes.data() + 8 + 8 * i, static_cast<std::uint32_t>(i + 1));
    bytes[12 + 8 * static_cast<std::size_t>(i)] = static_cast<unsigned char>('A' + i % 26);
  }
  IndexNode full(kItemLength);
  ASSERT_EQ(IndexNode::Parse(bytes.data(), kItemLength, &full), MdxFault::kNone);
  EXPECT_TRUE(full.IsLeaf());
  EXPECT_EQ(full.Pointer(126), 127u);
  EXPECT_EQ(full.Key(126)[0], 'A' + 126 % 26);
  EXPECT_FALSE(full.HasRoom(127));
  EXPECT_EQ(full.Bytes(), bytes);

  IndexNode shrunk = full;
  ASSERT_TRUE(shrunk.Remove(0));
  EXPECT_EQ(shrunk.Count(), 126);
  EXPECT_TRUE(shrunk.IsLeaf());
  EXPECT_EQ(shrunk.Pointer(125), 127u);

  IndexNode upper(kItemLength);
  std::string highest;
  ASSERT_TRUE(full.Split(&upper, &highest));
  EXPECT_EQ(full.Count(), 64);
  EXPECT_EQ(upper.Count(), 63);
  EXPECT_TRUE(full.IsLeaf());
  EXPECT_TRUE(upper.IsLeaf());
  EXPECT_EQ(upper.Pointer(62), 127u);
}

TEST(IndexNodeTest, SearchFindsTheFirstKeyNotBelow) {
  // Keys B B D F.
  IndexNode node(kItemLength);
  const char* keys = "BBDF";
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(node.Insert(i, static_cast<std::uint32_t>(i + 1), Text(keys + i), 1, kMaxKeys));
  }
  const KeyOrder order{KeyType::kCharacter, 1, false};
  struct Case {
    char key;
    int position;
    NodePlace place;
  };
  const Case cases[] = {{'A', 0, NodePlace::kAtOrBelowFirst}, {'B', 0, NodePlace::kAtOrBelowFirst},
                        {'C', 2, NodePlace::kInside},         {'D', 2, NodePlace::kInside},
                        {'E', 3, NodePlace::kInside},         {'F', 3, NodePlace::kInside},
                        {'G', 4, NodePlace::kBeyond}};
  for (const Case& c : cases) {
    const unsigned char key = static_cast<unsigned char>(c.key);
    const NodePosition found = SearchNode(node, &key, order);
    EXPECT_EQ(found.position, c.position) << c.key;
    EXPECT_EQ(found.place, c.place) << c.key;
  }
  const unsigned char any = 'X';
  EXPECT_EQ(SearchNode(IndexNode(kItemLength), &any, order).place, NodePlace::kAtOrBelowFirst);
}

TEST(IndexNodeTest, SearchInADescendingTagFollowsItsOrder) {
  // Keys F D B, as a descending tag stores them.
  IndexNode node(kItemLength);
  const char* keys = "FDB";
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(node.Insert(i, static_cast<std::uint32_t>(i + 1), Text(keys + i), 1, kMaxKeys));
  }
  const KeyOrder order{KeyType::kCharacter, 1, true};
  const unsigned char c = 'C';
  EXPECT_EQ(SearchNode(node, &c, order).position, 2);
  const unsigned char a = 'A';
  EXPECT_EQ(SearchNode(node, &a, order).place, NodePlace::kBeyond);
}

}  // namespace
}  // namespace pw
