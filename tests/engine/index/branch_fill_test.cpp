// How full the trees this engine writes are: leaves take the maximum keys
// per node, branches one key less besides their trailing pointer, so that
// no node holds more pointers than the maximum, after a build and after
// the splits of many appends. Checked on the nodes on disk.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/index/make_index.h"
#include "engine/index/mdx_io.h"
#include "engine/index/set_index_to.h"
#include "index_nav_test_support.h"

namespace pw::testing {
namespace {

class BranchFillTest : public IndexNavTest {
 protected:
  // The most keys any branch of tag `number` holds, read from the file.
  static int LargestBranch(int number) {
    const IndexTag& tag = *State().TagNumbered(number);
    int largest = 0;
    std::vector<std::uint32_t> pending = {tag.anchor.RootBlock()};
    while (!pending.empty()) {
      IndexNode node(tag.anchor.ItemLength());
      const std::uint32_t block = pending.back();
      pending.pop_back();
      EXPECT_EQ(ReadNode(State().file, block, tag.anchor.ItemLength(), &node), 0);
      if (node.IsLeaf()) continue;
      largest = std::max(largest, node.Count());
      for (int i = 0; i < node.Count(); ++i) pending.push_back(node.Pointer(i));
      pending.push_back(node.TrailingPointer());
    }
    return largest;
  }
};

TEST_F(BranchFillTest, BuiltBranchesHoldOneKeyLessThanTheMaximum) {
  std::vector<std::vector<std::string>> records;
  for (int r = 1; r <= 4033; ++r) records.push_back({std::to_string(r * 7 % 4099)});
  WriteTable("t", {Field("NUM", 'N', 6)}, records);
  ASSERT_TRUE(MakeIndex({{"NUM", "NUM", "", false, false}}, "")) << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  EXPECT_EQ(State().Controlling()->anchor.MaxKeys(), 63);
  // 64 full leaves and one of a single key: a branch of 62 keys and its
  // trailing pointer takes 63 of them, a second branch the last two, and
  // every leaf lies at the same depth under the root.
  EXPECT_EQ(LargestBranch(1), 62);
  EXPECT_EQ(CheckedItems(1).size(), 4033u);
  EXPECT_EQ(WalkForward().size(), 4033u);
}

TEST_F(BranchFillTest, SplitBranchesHoldOneKeyLessThanTheMaximum) {
  OpenIndexed({Field("NAME", 'C', 100)}, {}, {{"NAME", "NAME", "", false, false}});
  ASSERT_EQ(State().Controlling()->anchor.MaxKeys(), 9);
  std::uint32_t seed = 11;
  for (int i = 1; i <= 300; ++i) {
    seed = seed * 1103515245u + 12345u;
    AddRecord({std::to_string(seed >> 8)});
  }
  EXPECT_EQ(LargestBranch(1), 8);
  EXPECT_EQ(CheckedItems(1).size(), 300u);
  EXPECT_EQ(WalkForward().size(), 300u);
}

}  // namespace
}  // namespace pw::testing
