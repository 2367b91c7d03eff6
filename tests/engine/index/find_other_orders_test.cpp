// What a Find leaves for the other orders: after a Find in one tag, each
// other tag, once it controls, steps from the found record exactly as it
// does from the record reached by Go, over long runs of equal keys whose
// ties stand in record order (a build) or not (appends, rewrites); on runs
// that span many leaves, the steps lead to the found item's neighbours in
// the tag as the file holds it. And records that another process appends
// are found by the next Find and visited by the next walk in every order,
// however many nodes this process kept from before.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
#include "engine/index/mdx_io.h"
#include "engine/index/set_index_to.h"
#include "engine/index/tag_description.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/go.h"
#include "engine/table/lock.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_image.h"
#include "engine/table/skip.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_nav_test_support.h"
#include "support/forked_child.h"

namespace pw::testing {
namespace {

constexpr int kNotes = 60;
constexpr int kHandleTag = 2;

// Note i: three boards, SHOWING "N" but every ninth, handles i * 10.
std::vector<std::string> Note(int i) {
  return {"Board " + std::to_string(i % 3), std::to_string(i * 10), i % 9 == 0 ? "Y" : "N",
          i % 4 == 0 ? "Y" : "N", "N"};
}

// Where three steps lead from the current record: Skip(1), Skip(-1),
// Skip(-1), each as record number and BOF/EOF.
std::vector<std::string> ThreeSteps() {
  std::vector<std::string> seen;
  for (const int step : {1, -1, -1}) {
    Skip(step);
    seen.push_back(std::to_string(RecNo()) + (dBOF() ? " bof" : "") + (dEOF() ? " eof" : ""));
  }
  return seen;
}

// Skip(1), Skip(-1), Skip(-1) from the current record, each as "eof",
// "bof" or the record number reached.
std::vector<std::string> ThreeStepsReached() {
  std::vector<std::string> reached;
  for (const int step : {1, -1, -1}) {
    Skip(step);
    reached.push_back(dEOF() ? "eof" : dBOF() ? "bof" : std::to_string(RecNo()));
  }
  return reached;
}

// What ThreeStepsReached must give from `record` in a tag whose items, in
// the order the file holds them, are `items`.
std::vector<std::string> StepsAmong(const std::vector<LeafItem>& items, std::uint32_t record) {
  const auto at = std::find_if(items.begin(), items.end(),
                               [record](const LeafItem& item) { return item.record == record; });
  if (at == items.end()) return {"record " + std::to_string(record) + " not in the tag"};
  const auto next = at + 1 == items.end() ? std::string("eof") : std::to_string((at + 1)->record);
  const auto prior = at == items.begin() ? std::string("bof") : std::to_string((at - 1)->record);
  return {next, std::to_string(record), prior};
}

class FindOtherOrdersTest : public IndexNavTest, public ::testing::WithParamInterface<bool> {
 protected:
  // The note tag fields and the five note tags, filled by a build of the
  // index (false) or by appends with the index open (true).
  void OpenNotes(bool byAppends, int notes = kNotes) {
    std::vector<std::vector<std::string>> records;
    for (int i = 1; i <= notes && !byAppends; ++i) records.push_back(Note(i));
    OpenIndexed(NoteTagFields(), records, ParseTagList(NoteIndexListLines()));
    for (int i = 1; i <= notes && byAppends; ++i) AppendNote(Note(i));
  }

  // After a Find of each record's handle, every order steps from it to its
  // neighbours in the file's items of that order.
  void ExpectEveryOrderStepsToNeighboursAfterFind(const std::vector<std::int32_t>& records) {
    for (int order = 1; order <= 5; ++order) {
      const std::vector<LeafItem> items = CheckedItems(order);
      for (const std::int32_t record : records) {
        ASSERT_TRUE(Set_Order_To(kHandleTag)) << Detail();
        Go(record);
        const std::string handle = FieldText("HANDLE");
        ASSERT_TRUE(Find(handle.substr(handle.find_first_not_of(' ')))) << record;
        ASSERT_EQ(RecNo(), record);
        ASSERT_TRUE(Set_Order_To(order)) << Detail();
        EXPECT_EQ(ThreeStepsReached(), StepsAmong(items, static_cast<std::uint32_t>(record)))
            << "record " << record << ", order " << order;
      }
    }
  }

  // The hints of every tag that keeps them name, for every record, the leaf
  // that holds its item in the file.
  void ExpectHintsNameEachRecordsLeaf() {
    IndexState& state = State();
    for (int n = 1; n <= state.TagCount(); ++n) {
      const IndexTag& tag = *state.TagNumbered(n);
      if (!tag.hints.Kept()) continue;
      for (std::int32_t record = 1; record <= RecCount(); ++record) {
        IndexNode leaf(tag.anchor.ItemLength());
        const std::uint32_t block = tag.hints.LeafOf(static_cast<std::uint32_t>(record));
        ASSERT_EQ(ReadNode(state.file, block, tag.anchor.ItemLength(), &leaf), 0) << record;
        bool held = false;
        for (int i = 0; i < leaf.Count(); ++i)
          held = held || leaf.Pointer(i) == static_cast<std::uint32_t>(record);
        EXPECT_TRUE(held) << "tag " << tag.name << ", record " << record;
      }
    }
  }

  void AppendNote(const std::vector<std::string>& note) {
    WorkArea& area = CurrentArea();
    area.raw.assign(area.recordLength, ' ');
    const std::size_t at[] = {1, 51, 61, 62, 63};
    for (std::size_t f = 0; f < note.size(); ++f) {
      std::string text = note[f];
      if (f == 1) text.insert(0, 10 - text.size(), ' ');
      std::copy(text.begin(), text.end(), area.raw.begin() + static_cast<long>(at[f]));
    }
    RawToImage(area);
    ASSERT_TRUE(Append()) << Detail();
  }
};

TEST_P(FindOtherOrdersTest, EveryOtherOrderStepsFromTheFoundRecordAsFromGo) {
  OpenNotes(GetParam());
  for (const int record : {1, 2, 9, 31, kNotes - 1, kNotes}) {
    for (int order = 1; order <= 5; ++order) {
      ASSERT_TRUE(Set_Order_To(order)) << Detail();
      Go(record);
      const std::vector<std::string> fromGo = ThreeSteps();

      ASSERT_TRUE(Set_Order_To(kHandleTag)) << Detail();
      ASSERT_TRUE(Find(std::to_string(record * 10))) << record;
      ASSERT_EQ(RecNo(), record);
      ASSERT_TRUE(Set_Order_To(order)) << Detail();
      EXPECT_EQ(ThreeSteps(), fromGo) << "record " << record << ", order " << order;
    }
  }
}

TEST_P(FindOtherOrdersTest, FindInARunOfEqualKeysThenHandleOrderStepsAsFromGo) {
  OpenNotes(GetParam());
  ASSERT_TRUE(Set_Order_To(3)) << Detail();
  ASSERT_TRUE(Find("N"));
  const std::int32_t found = RecNo();
  ASSERT_TRUE(Set_Order_To(kHandleTag)) << Detail();
  const std::vector<std::string> afterFind = ThreeSteps();
  Go(found);
  EXPECT_EQ(ThreeSteps(), afterFind);
}

TEST_P(FindOtherOrdersTest, LongRunsOfEqualKeysStepFromTheFoundItemBeforeAndAfterMoreChanges) {
  // 700 notes: EXPIREACT is one run over several leaves, BOARD three runs
  // under a tree of three levels.
  OpenNotes(GetParam(), 700);
  // Rewrites move records to the front of their new keys' runs.
  for (int record = 5; record <= 700; record += 37) {
    Go(record);
    Rewrite("SHOWING", FieldText("SHOWING") == "Y" ? "N" : "Y");
    Rewrite("NOTEBOARD", "Board " + std::to_string(record % 2));
  }
  const std::vector<std::int32_t> probes = {1, 2, 5, 117, 350, 351, 598, 699, 700};
  ExpectEveryOrderStepsToNeighboursAfterFind(probes);
  // With the runs' hints kept, more appends split leaves and branches and
  // rewrites move keys; the hints follow, and the steps still hold.
  for (int i = 701; i <= 1000; ++i) AppendNote(Note(i));
  ExpectHintsNameEachRecordsLeaf();
  for (int record = 3; record <= 1000; record += 41) {
    Go(record);
    Rewrite("EXPIRES", "Y");
  }
  ExpectEveryOrderStepsToNeighboursAfterFind({3, 44, 351, 700, 701, 850, 999, 1000});
}

INSTANTIATE_TEST_SUITE_P(BuiltAndAppended, FindOtherOrdersTest, ::testing::Bool());

TEST_F(FindOtherOrdersTest, AppendOfAnotherProcessIsFoundAndVisitedInOtherOrders) {
  OpenNotes(false);
  CloseAll();
  ASSERT_TRUE(Use(tablePath_) && SetIndexTo("")) << Detail();
  ASSERT_TRUE(Set_Order_To(kHandleTag) && Find("310")) << Detail();
  test::ForkedChild child([this](test::ChildLink&) {
    if (!Use(tablePath_) || !SetIndexTo("") || !ALock()) return 1;
    AppendNote({"Board 9", "7", "Y", "Y", "Y"});
    Unlock();
    CloseAll();
    return ::testing::Test::HasFailure() ? 2 : 0;
  });
  ASSERT_EQ(child.Finish(), 0);
  ASSERT_TRUE(Find("7")) << "the other process's note";
  EXPECT_EQ(RecNo(), kNotes + 1);
  Skip(-1);
  EXPECT_TRUE(dBOF()) << "handle 7 is the lowest";
  for (int order = 1; order <= 5; ++order) {
    ASSERT_TRUE(Set_Order_To(order)) << Detail();
    const std::vector<std::int32_t> walk = WalkForward();
    EXPECT_EQ(walk.size(), static_cast<std::size_t>(kNotes + 1)) << "order " << order;
    EXPECT_NE(std::find(walk.begin(), walk.end(), kNotes + 1), walk.end()) << "order " << order;
  }
}

TEST_F(FindOtherOrdersTest, SplitsOfAnotherProcessReachTheNodesThisProcessKept) {
  OpenNotes(false, 700);
  CloseAll();
  ASSERT_TRUE(Use(tablePath_) && SetIndexTo("")) << Detail();
  // Every order walked and placed inside its runs: nodes and hints kept.
  for (int order = 1; order <= 5; ++order) {
    ASSERT_TRUE(Set_Order_To(order)) << Detail();
    ASSERT_EQ(WalkForward().size(), 700u);
  }
  ExpectEveryOrderStepsToNeighboursAfterFind({2, 350, 699});
  test::ForkedChild child([this](test::ChildLink&) {
    if (!Use(tablePath_) || !SetIndexTo("") || !ALock()) return 1;
    for (int i = 701; i <= 1000; ++i) AppendNote(Note(i));
    Unlock();
    CloseAll();
    return ::testing::Test::HasFailure() ? 2 : 0;
  });
  ASSERT_EQ(child.Finish(), 0);
  ASSERT_TRUE(Set_Order_To(kHandleTag) && Find("9990")) << "the other process's note";
  EXPECT_EQ(RecNo(), 999);
  for (int order = 1; order <= 5; ++order) {
    ASSERT_TRUE(Set_Order_To(order)) << Detail();
    EXPECT_EQ(WalkForward(), TagRecords(order)) << "order " << order;
  }
  ExpectEveryOrderStepsToNeighboursAfterFind({2, 350, 699, 701, 850, 1000});
}

}  // namespace
}  // namespace pw::testing
