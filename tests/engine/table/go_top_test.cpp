// GoTop in index order through the index hooks, and with a filter.
#include <gtest/gtest.h>

#include <vector>

#include "common/error_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/go_top.h"
#include "engine/table/record_io.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

// An index whose order is a fixed list of record numbers.
class ListIndex : public IndexHooks {
 public:
  explicit ListIndex(std::vector<long> order) : order_(std::move(order)) {}
  bool IndexActive(WorkArea&) override { return true; }
  void IndexNavigate(WorkArea&, bool begin) override { navigating_ += begin ? 1 : -1; }
  long IndexFirst(WorkArea& area) override {
    at_ = 0;
    return order_.empty() ? area.recordCount + 1 : order_[0];
  }
  long IndexLast(WorkArea&) override { return order_.back(); }
  long IndexNext(WorkArea&) override {
    if (at_ + 1 < order_.size()) return order_[++at_];
    atEnd_ = true;
    return order_[at_];
  }
  long IndexPrev(WorkArea&) override { return order_[at_]; }
  bool IndexAtEnd(WorkArea&) override { return atEnd_; }
  bool IndexAtStart(WorkArea&) override { return false; }
  void IndexSetStart(WorkArea&) override {}
  void IndexSetEnd(WorkArea&) override {}
  void IndexPositionLost(WorkArea&) override { ++lost_; }
  void IndexSync(WorkArea&) override { ++synced_; }
  bool IndexUpdate(WorkArea&, bool) override { return true; }
  bool IndexAddKeys(WorkArea&) override { return true; }
  bool IndexNoteOldKeys(WorkArea&) override { return true; }
  bool IndexUpdateKeys(WorkArea&) override { return true; }
  bool IndexRebuild(WorkArea&) override { return true; }
  void IndexClose(WorkArea&) override { ++closed_; }
  bool IndexReopen(WorkArea&) override { return true; }

  std::vector<long> order_;
  std::size_t at_ = 0;
  bool atEnd_ = false;
  int navigating_ = 0;
  int lost_ = 0;
  int synced_ = 0;
  int closed_ = 0;
};

// Passes records whose text does not start with "x"; compiles nothing.
class NoX : public ExprHooks {
 public:
  bool FilterPasses(WorkArea& area) override { return area.raw[1] != 'x'; }
  std::unique_ptr<UnitState> AssignExpr(const std::string&) override { return nullptr; }
  const void* Evaluate(UnitState&) override { return nullptr; }
  ExprShape Shape(const UnitState&) override { return {}; }
  int ForCheck(const std::string&) override { return 0; }
  void SetCurrentKey(UnitState*) override {}
  const void* EvaluateCurrentKey() override { return nullptr; }
};

class GoTopTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    ASSERT_TRUE(Use(Create("t", {Field("TEXT", 'C', 3)})));
    for (const char* text : {" one", " two", " xy ", " fou"}) {
      WorkArea& area = CurrentArea();
      area.raw.assign(text, text + 4);
      ASSERT_EQ(WriteRawRecord(area, area.recordCount + 1), 0) << Detail();
    }
  }
  void TearDown() override {
    // The fakes live in the test bodies and are gone by now.
    RegisteredHooks() = EngineHooks{};
    CloseAll();
    TableTest::TearDown();
  }
};

TEST_F(GoTopTest, IndexedTableStartsAtTheFirstKeysRecord) {
  ListIndex index({3, 1, 4, 2});
  RegisteredHooks().index = &index;
  GoTop();
  EXPECT_EQ(CurrentArea().recordNumber, 3);
  EXPECT_EQ(index.synced_, 1);
  EXPECT_EQ(index.navigating_, 0);
}

TEST_F(GoTopTest, FilteredRecordsAreSkippedInIndexOrder) {
  ListIndex index({3, 4, 1, 2});
  NoX filter;
  RegisteredHooks().index = &index;
  RegisteredHooks().expr = &filter;
  CurrentArea().filter = std::make_unique<UnitState>();
  GoTop();
  EXPECT_EQ(CurrentArea().recordNumber, 4);
  EXPECT_EQ(std::string(CurrentArea().raw.begin(), CurrentArea().raw.end()), " fou");
}

TEST_F(GoTopTest, IndexWithoutVisibleKeyEndsAtEndOfFile) {
  ListIndex index({3});
  NoX filter;
  RegisteredHooks().index = &index;
  RegisteredHooks().expr = &filter;
  CurrentArea().filter = std::make_unique<UnitState>();
  GoTop();
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordNumber, 5);
  EXPECT_TRUE(area.eof);
  EXPECT_TRUE(area.bof);
  EXPECT_EQ(index.lost_, 1);
  EXPECT_EQ(index.navigating_, 0);

  ListIndex empty({});
  RegisteredHooks().index = &empty;
  GoTop();
  EXPECT_EQ(CurrentArea().recordNumber, 5);
  EXPECT_EQ(empty.navigating_, 0);
}

TEST_F(GoTopTest, ClosingTheWorkAreaClosesItsIndexes) {
  ListIndex index({1});
  RegisteredHooks().index = &index;
  CloseAll();
  EXPECT_EQ(index.closed_, 1);
}

}  // namespace
}  // namespace pw::testing
