// What a Find leaves for the other orders: after a Find in one tag, each
// other tag, once it controls, steps from the found record exactly as it
// does from the record reached by Go, over long runs of equal keys whose
// ties stand in record order (a build) or not (appends). And a record that
// another process appends is found by the next Find and visited by the
// next walk in another order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
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

class FindOtherOrdersTest : public IndexNavTest, public ::testing::WithParamInterface<bool> {
 protected:
  // The note tag fields and the five note tags, filled by a build of the
  // index (false) or by appends with the index open (true).
  void OpenNotes(bool byAppends) {
    std::vector<std::vector<std::string>> records;
    for (int i = 1; i <= kNotes && !byAppends; ++i) records.push_back(Note(i));
    OpenIndexed(NoteTagFields(), records, ParseTagList(NoteIndexListLines()));
    for (int i = 1; i <= kNotes && byAppends; ++i) AppendNote(Note(i));
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

}  // namespace
}  // namespace pw::testing
