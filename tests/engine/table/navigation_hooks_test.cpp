// The order in which navigation and edits call the index hooks, with a fake
// index unit whose order is a fixed list of record numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/table/append.h"
#include "engine/table/delete_recall.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/go_top.h"
#include "engine/table/position_queries.h"
#include "engine/table/replace.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using Calls = std::vector<std::string>;

class RecordingIndex : public IndexHooks {
 public:
  explicit RecordingIndex(std::vector<long> order) : order_(std::move(order)) {}

  bool IndexActive(WorkArea&) override { return true; }
  void IndexNavigate(WorkArea&, bool begin) override { Log(begin ? "Navigate(1)" : "Navigate(0)"); }
  long IndexFirst(WorkArea&) override {
    Log("First");
    at_ = 0;
    return order_[0];
  }
  long IndexLast(WorkArea&) override {
    Log("Last");
    at_ = static_cast<long>(order_.size()) - 1;
    return order_[static_cast<std::size_t>(at_)];
  }
  long IndexNext(WorkArea& area) override {
    Log("Next");
    if (at_ + 1 >= static_cast<long>(order_.size())) return area.recordNumber;
    return order_[static_cast<std::size_t>(++at_)];
  }
  long IndexPrev(WorkArea& area) override {
    Log("Prev");
    if (at_ <= 0) return area.recordNumber;
    return order_[static_cast<std::size_t>(--at_)];
  }
  bool IndexAtEnd(WorkArea&) override { return false; }
  bool IndexAtStart(WorkArea&) override { return false; }
  void IndexSetStart(WorkArea&) override { Log("SetStart"); }
  void IndexSetEnd(WorkArea&) override { Log("SetEnd"); }
  void IndexPositionLost(WorkArea&) override { Log("PositionLost"); }
  void IndexSync(WorkArea& area) override {
    Log("Sync");
    const auto found = std::find(order_.begin(), order_.end(), area.recordNumber);
    if (found != order_.end()) at_ = found - order_.begin();
  }
  bool IndexUpdate(WorkArea&, bool begin) override {
    Log(begin ? "Update(1)" : "Update(0)");
    return true;
  }
  bool IndexAddKeys(WorkArea& area) override {
    Log("AddKeys " + Text(area));
    return true;
  }
  bool IndexNoteOldKeys(WorkArea& area) override {
    Log("NoteOldKeys " + Text(area));
    return true;
  }
  bool IndexUpdateKeys(WorkArea& area) override {
    Log("UpdateKeys " + Text(area));
    return true;
  }
  bool IndexRebuild(WorkArea&) override { return true; }
  void IndexClose(WorkArea&) override {}
  bool IndexReopen(WorkArea&) override { return true; }

  // The calls since the last Take.
  Calls Take() { return std::exchange(calls_, {}); }

 private:
  // The TEXT slot of the record image as the hook sees it.
  static std::string Text(const WorkArea& area) {
    return std::string(reinterpret_cast<const char*>(area.image) + 2, 3);
  }
  void Log(const std::string& call) { calls_.push_back(call); }

  std::vector<long> order_;
  long at_ = -1;
  Calls calls_;
};

class IndexHookOrderTest : public SmallTableTest {
 protected:
  void SetUp() override {
    SmallTableTest::SetUp();
    Open({" ccc", " aaa", " ddd", " bbb"});
    RegisteredHooks().index = &index_;
  }
  void TearDown() override {
    RegisteredHooks() = EngineHooks{};
    SmallTableTest::TearDown();
  }
  RecordingIndex index_{{2, 4, 1, 3}};
};

TEST_F(IndexHookOrderTest, GoTopAndGoBottom) {
  GoTop();
  EXPECT_EQ(CurrentArea().recordNumber, 2);
  EXPECT_EQ(index_.Take(), (Calls{"Navigate(1)", "First", "Sync", "Navigate(0)"}));
  GoBottom();
  EXPECT_EQ(CurrentArea().recordNumber, 3);
  EXPECT_EQ(index_.Take(), (Calls{"Navigate(1)", "Last", "Sync", "Navigate(0)"}));
}

TEST_F(IndexHookOrderTest, SkipFollowsTheIndexOrder) {
  GoTop();
  index_.Take();
  Skip(2);
  EXPECT_EQ(CurrentArea().recordNumber, 1);
  EXPECT_EQ(ImageText(), "ccc");
  EXPECT_EQ(index_.Take(), (Calls{"Navigate(1)", "Next", "Next", "Navigate(0)", "Sync"}));
  Skip(-1);
  EXPECT_EQ(CurrentArea().recordNumber, 4);
  EXPECT_EQ(index_.Take(), (Calls{"Navigate(1)", "Prev", "Navigate(0)", "Sync"}));
}

TEST_F(IndexHookOrderTest, SkipOffEitherEnd) {
  GoBottom();
  index_.Take();
  Skip(1);
  EXPECT_TRUE(CurrentArea().eof);
  EXPECT_EQ(CurrentArea().recordNumber, 5);
  EXPECT_EQ(index_.Take(), (Calls{"Navigate(1)", "Next", "PositionLost", "Navigate(0)", "Sync"}));

  GoTop();
  index_.Take();
  Skip(-1);
  EXPECT_TRUE(CurrentArea().bof);
  EXPECT_EQ(CurrentArea().recordNumber, 2);
  EXPECT_EQ(index_.Take(), (Calls{"Navigate(1)", "Prev", "Navigate(1)", "First", "Sync",
                                  "Navigate(0)", "SetStart", "Navigate(0)", "Sync"}));
}

TEST_F(IndexHookOrderTest, GoForgetsTheIndexPosition) {
  Go(3);
  EXPECT_EQ(index_.Take(), (Calls{"Navigate(1)", "PositionLost", "Sync", "Navigate(0)"}));
  Go(9);
  EXPECT_EQ(index_.Take(), Calls{});
}

TEST_F(IndexHookOrderTest, AppendAddsTheNewRecordsKeys) {
  SetImageText("eee");
  ASSERT_TRUE(Append()) << Detail();
  EXPECT_EQ(index_.Take(), (Calls{"Update(1)", "AddKeys eee", "Update(0)"}));
}

TEST_F(IndexHookOrderTest, ReplaceNotesTheOldKeysBeforeWriting) {
  Go(2);
  index_.Take();
  SetImageText("new");
  ASSERT_TRUE(Replace()) << Detail();
  EXPECT_EQ(index_.Take(), (Calls{"Update(1)", "NoteOldKeys aaa", "UpdateKeys new", "Update(0)"}));
  EXPECT_EQ(Stored(2), " new");
  EXPECT_EQ(ImageText(), "new");
}

TEST_F(IndexHookOrderTest, ReplaceWithoutSwapBufferFails) {
  CurrentArea().swap.clear();
  EXPECT_FALSE(Replace());
  EXPECT_EQ(EngineErrorCode(), 254);
  EXPECT_EQ(Detail(), TableName() + " Swap-buffer NIL. [REPLACE]");
  EXPECT_EQ(index_.Take(), Calls{});
}

TEST_F(IndexHookOrderTest, DeleteAndRecallLeaveTheIndexAlone) {
  ASSERT_TRUE(DeleteRec());
  ASSERT_TRUE(RecallRec());
  EXPECT_EQ(index_.Take(), Calls{});
}

TEST_F(IndexHookOrderTest, EndAndStartComeFromTheIndex) {
  // The fake index never reports an end or a start, whatever the flags say.
  GoBottom();
  Skip(1);
  ASSERT_TRUE(CurrentArea().eof);
  EXPECT_FALSE(dEOF());
  GoTop();
  Skip(-1);
  ASSERT_TRUE(CurrentArea().bof);
  EXPECT_FALSE(dBOF());
}

}  // namespace
}  // namespace pw::testing
