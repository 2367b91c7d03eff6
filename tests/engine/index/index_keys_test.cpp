// Keeping tags in step with appended and rewritten records: the place of
// equal keys, unique tags, FOR conditions, splits, emptied nodes and roots,
// the roll-back of a failed append, and the reports of missing keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/error_state.h"
#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
#include "engine/index/mdx_io.h"
#include "engine/index/set_index_to.h"
#include "engine/index/tag_keys.h"
#include "engine/index/tag_node_io.h"
#include "engine/index/tag_walk.h"
#include "engine/table/append.h"
#include "engine/table/delete_recall.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/go.h"
#include "engine/table/go_top.h"
#include "engine/table/pack.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_image.h"
#include "engine/table/replace.h"
#include "engine/table/skip.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_nav_test_support.h"

namespace pw::testing {
namespace {

using Records = std::vector<std::int32_t>;

class IndexKeysTest : public IndexNavTest {
 protected:
  // NAME C(5), NUM N(6); tag NAME (`name` options), tag NUM.
  void OpenTwoTags(const std::vector<std::vector<std::string>>& records,
                   const TagDescription& nameTag = {"NAME", "NAME", "", false, false}) {
    OpenIndexed({Field("NAME", 'C', 5), Field("NUM", 'N', 6)}, records,
                {nameTag, {"NUM", "NUM", "", false, false}});
  }
  static std::string TagText(const std::string& tag) {
    return State().fileName + " [tag: " + tag + "]";
  }
};

TEST_F(IndexKeysTest, AppendedEqualKeyGoesInFrontOfExistingOnes) {
  OpenTwoTags({{"a", "1"}, {"b", "2"}, {"b", "3"}});
  AddRecord({"b", "4"});
  EXPECT_EQ(TagRecords(1), (Records{1, 4, 2, 3}));
  EXPECT_EQ(WalkForward(), (Records{1, 4, 2, 3}));
  EXPECT_EQ(TagRecords(2), (Records{1, 2, 3, 4}));
}

TEST_F(IndexKeysTest, UniqueTagTakesNoSecondEqualKeyAndRewriteIsQuiet) {
  OpenTwoTags({{"a", "1"}, {"b", "2"}}, {"NAME", "NAME", "", false, true});
  AddRecord({"a", "3"});
  EXPECT_EQ(TagRecords(1), (Records{1, 2}));
  EXPECT_EQ(EngineErrorCode(), 0);
  Go(3);
  Rewrite("NUM", "30");
  EXPECT_EQ(EngineErrorCode(), 0) << Detail();
  EXPECT_EQ(TagRecords(1), (Records{1, 2}));
  Rewrite("NAME", "c");
  EXPECT_EQ(EngineErrorCode(), 0) << Detail();
  EXPECT_EQ(TagRecords(1), (Records{1, 2, 3})) << "a key of its own brings it in";
}

TEST_F(IndexKeysTest, RewrittenKeyMovesAndUnchangedKeyStays) {
  OpenTwoTags({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  Go(1);
  Rewrite("NAME", "d");
  EXPECT_EQ(WalkForward(), (Records{2, 3, 1}));
  Go(2);
  Rewrite("NUM", "9");
  EXPECT_EQ(TagRecords(1), (Records{2, 3, 1}));
  EXPECT_EQ(TagRecords(2), (Records{1, 3, 2})) << "NUM 1, 3, 9";
}

TEST_F(IndexKeysTest, ForConditionDecidesMembershipAndRemovingOnlyKeyEmptiesRoot) {
  OpenIndexed({Field("NAME", 'C', 5)}, {{"x"}, {"y"}},
              {{"XS", "NAME", "NAME = 'x'", false, false}});
  EXPECT_EQ(TagRecords(1), (Records{1}));
  const std::uint32_t root = State().Controlling()->anchor.RootBlock();
  Go(1);
  Rewrite("NAME", "z");
  EXPECT_EQ(TagRecords(1), Records{});
  const TagHeader& anchor = State().Controlling()->anchor;
  EXPECT_EQ(anchor.RootBlock(), root) << "the root leaf stays";
  EXPECT_FALSE(anchor.ForSatisfied()) << "anchor byte 246 returns to 0";
  IndexHooks& hooks = *RegisteredHooks().index;
  WorkArea& area = CurrentArea();
  EXPECT_EQ(hooks.IndexNext(area), RecCount() + 1L);
  EXPECT_TRUE(hooks.IndexAtEnd(area));
  EXPECT_EQ(hooks.IndexPrev(area), RecCount() + 1L);
  EXPECT_TRUE(hooks.IndexAtStart(area));
  GoTop();
  EXPECT_TRUE(dEOF());
  Go(2);
  Rewrite("NAME", "x");
  EXPECT_EQ(TagRecords(1), (Records{2}));
  EXPECT_TRUE(State().Controlling()->anchor.ForSatisfied());
}

TEST_F(IndexKeysTest, RemovingOnlyKeyOfPlainTagLeavesEmptyRootLeaf) {
  OpenIndexed({Field("NAME", 'C', 5)}, {{"x"}}, {{"NAME", "NAME", "", false, false}});
  IndexState& state = State();
  IndexTag& tag = *state.Controlling();
  const std::uint32_t root = tag.anchor.RootBlock();
  EXPECT_EQ(RemoveKey(state, tag, "x    ", 2), RemoveOutcome::kNotFound);
  ASSERT_EQ(RemoveKey(state, tag, "x    ", 1), RemoveOutcome::kRemoved);
  ASSERT_TRUE(WriteBack(state)) << "the end of the operation that removed it";
  EXPECT_EQ(TagRecords(1), Records{});
  EXPECT_EQ(tag.anchor.RootBlock(), root);
  WorkArea& area = CurrentArea();
  IndexHooks& hooks = *RegisteredHooks().index;
  EXPECT_EQ(hooks.IndexNext(area), 2);
  EXPECT_TRUE(hooks.IndexAtEnd(area));
  EXPECT_EQ(hooks.IndexPrev(area), 2);
  EXPECT_TRUE(hooks.IndexAtStart(area));
  EXPECT_EQ(RemoveKey(state, tag, "x    ", 1), RemoveOutcome::kNotFound);
  EXPECT_EQ(EngineErrorCode(), 0) << Detail();
}

TEST_F(IndexKeysTest, ManyAppendsSplitLeavesAndBranchesIntoValidTree) {
  OpenTwoTags({});
  std::vector<std::pair<std::string, int>> keys;
  std::uint32_t seed = 7;
  for (int i = 1; i <= 400; ++i) {
    seed = seed * 1103515245u + 12345u;
    const std::string name(1 + (seed >> 16) % 5, static_cast<char>('A' + (seed >> 8) % 26));
    AddRecord({name, std::to_string(i)});
    keys.push_back({name, i});
  }
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const std::vector<LeafItem> items = CheckedItems(1);
  ASSERT_EQ(items.size(), keys.size());
  for (std::size_t i = 1; i < items.size(); ++i) {
    if (items[i].key == items[i - 1].key) {
      EXPECT_GT(items[i - 1].record, items[i].record) << "later equal keys go in front";
    }
  }
  const IndexTag& tag = *State().TagNumbered(2);
  IndexNode root(tag.anchor.ItemLength());
  ASSERT_EQ(ReadNode(State().file, tag.anchor.RootBlock(), tag.anchor.ItemLength(), &root), 0);
  EXPECT_FALSE(root.IsLeaf()) << "400 numeric keys need more than one node";
  EXPECT_EQ(TagRecords(2).size(), 400u);
  EXPECT_EQ(WalkForward().size(), 400u);
  // Everything is on disk: a reopened index walks the same way.
  const Records before = WalkForward();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  EXPECT_EQ(WalkForward(), before);
  std::uint64_t length = 0;
  ASSERT_EQ(State().file.Size(&length), 0);
  EXPECT_EQ(State().header.BlockCount(), length / 512) << "offset 32 counts the file's blocks";
}

TEST_F(IndexKeysTest, RemovingEveryKeyShrinksTheTreeToAnEmptyLeaf) {
  OpenIndexed({Field("NAME", 'C', 40), Field("KEEP", 'C', 1)}, {},
              {{"KEPT", "NAME", "KEEP = 'Y'", false, false}});
  for (int i = 0; i < 120; ++i)
    AddRecord({std::string(3, static_cast<char>('A' + i % 26)) + std::to_string(i), "Y"});
  ASSERT_EQ(TagRecords(1).size(), 120u);
  for (int i = 1; i <= 120; ++i) {
    Go((i * 37) % 120 + 1);
    Rewrite("KEEP", "N");
    if (i % 20 == 0) {
      EXPECT_EQ(TagRecords(1).size(), 120u - i);
    }
  }
  const IndexTag& tag = *State().Controlling();
  IndexNode root(tag.anchor.ItemLength());
  ASSERT_EQ(ReadNode(State().file, tag.anchor.RootBlock(), tag.anchor.ItemLength(), &root), 0);
  EXPECT_TRUE(root.IsLeaf());
  EXPECT_EQ(root.Count(), 0);
  GoTop();
  EXPECT_TRUE(dEOF());
}

TEST_F(IndexKeysTest, FailedAppendRollsBackEarlierTags) {
  OpenTwoTags({{"a", "1"}, {"b", "2"}});
  State().TagNumbered(2)->anchor.SetRootBlock(0);
  WorkArea& area = CurrentArea();
  area.raw.assign(area.recordLength, ' ');
  area.raw[1] = 'c';
  RawToImage(area);
  EXPECT_FALSE(Append());
  EXPECT_EQ(EngineErrorCode(), 254);
  EXPECT_EQ(Detail(),
            "Invalid Node Number (0) in DBF Area 1, Order 2 " + TagText("NUM") + " [GetNode]");
  EXPECT_EQ(TagRecords(1), (Records{1, 2})) << "the NAME key of record 3 is taken back";
  EXPECT_EQ(RecCount(), 2) << "and so is the record";
}

TEST_F(IndexKeysTest, RewriteOfRecordMissingFromTagReports254) {
  OpenTwoTags({{"a", "1"}, {"b", "2"}});
  IndexState& state = State();
  IndexTag& tag = *state.TagNumbered(1);
  IndexNode leaf(tag.anchor.ItemLength());
  ASSERT_EQ(ReadNode(state.file, tag.anchor.RootBlock(), tag.anchor.ItemLength(), &leaf), 0);
  leaf.SetPointer(1, 99);
  ASSERT_EQ(WriteNode(state.file, tag.anchor.RootBlock(), leaf), 0);
  DropNodeCopies(state);  // the damage is made behind the engine's back
  RawGo(2);
  WorkArea& area = CurrentArea();
  RawToImage(area);
  Replace();
  EXPECT_EQ(EngineErrorCode(), 254);
  EXPECT_EQ(Detail(), "Record number 2 not found in index. " + TagText("NAME") + " [CompareKeys]");
}

TEST_F(IndexKeysTest, SyncOfRecordWithoutItemReports212) {
  OpenTwoTags({{"a", "1"}, {"b", "2"}});
  IndexState& state = State();
  IndexTag& tag = *state.TagNumbered(1);
  IndexNode leaf(tag.anchor.ItemLength());
  ASSERT_EQ(ReadNode(state.file, tag.anchor.RootBlock(), tag.anchor.ItemLength(), &leaf), 0);
  leaf.SetPointer(1, 99);
  ASSERT_EQ(WriteNode(state.file, tag.anchor.RootBlock(), leaf), 0);
  DropNodeCopies(state);  // the damage is made behind the engine's back
  Go(2);
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(),
            "Record with key: \"b\" not in index: " + TagText("NAME") + ". [SyncIndex-2]");
  const unsigned char other[] = {'q', ' ', ' ', ' ', ' '};
  leaf.SetKey(1, other, 5);
  ASSERT_EQ(WriteNode(state.file, tag.anchor.RootBlock(), leaf), 0);
  DropNodeCopies(state);
  Go(2);
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), "Key: \"b\" not in index: " + TagText("NAME") + ". [SyncIndex-1] Record: 2");
}

TEST_F(IndexKeysTest, UnreadableNodesAreReportedByTheSteps) {
  OpenTwoTags({{"a", "1"}});
  IndexTag& tag = *State().Controlling();
  WorkArea& area = CurrentArea();
  tag.anchor.SetRootBlock(0);
  EXPECT_EQ(RegisteredHooks().index->IndexFirst(area), 0);
  EXPECT_EQ(Detail(),
            "Invalid Node Number (0) in DBF Area 1, Order 1 " + TagText("NAME") + " [GetNode]");
  tag.anchor.SetRootBlock(4000);
  EXPECT_EQ(RegisteredHooks().index->IndexLast(area), 0);
  EXPECT_EQ(EngineErrorCode(), kMdxCorrupted);
  EXPECT_EQ(Detail(), "Error reading index file: " + TagText("NAME") + " [SeekAndRead]");
}

TEST_F(IndexKeysTest, PackRebuildsTheIndex) {
  OpenTwoTags({{"c", "1"}, {"a", "2"}, {"b", "3"}});
  Go(2);
  ASSERT_TRUE(DeleteRec());
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_EQ(WalkForward(), (Records{2, 1}));
  EXPECT_EQ(TagRecords(2), (Records{1, 2}));
}

TEST_F(IndexKeysTest, StepAfterAnotherTagFilledThePathFindsItsPlaceAgain) {
  OpenTwoTags({{"b", "3"}, {"b", "1"}, {"b", "2"}, {"a", "4"}});
  const Records order = TagRecords(1);
  ASSERT_TRUE(Find("b"));
  // The other tag descends, as key maintenance does, and fills the path.
  ASSERT_TRUE(SeekEdge(State(), *State().TagNumbered(2), true)) << Detail();
  ASSERT_NE(State().pathTag, State().Controlling()->number);
  Records walked{RecNo()};
  while (true) {
    Skip(1);
    if (dEOF()) break;
    walked.push_back(RecNo());
  }
  EXPECT_EQ(walked, Records(order.begin() + 1, order.end()));
}

}  // namespace
}  // namespace pw::testing
