// Writers sharing one indexed table, each with its own open (two processes,
// or two work areas of one process), through the lock protocol: appends
// under the append lock, rewrites and deletions under record locks, the
// index under its write semaphore. Afterwards every one of the five note
// tags must hold exactly the keys of the records, in order. And a pack of
// a shared table hands the table, its memo file and its index back shared.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/error_state.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/set_index_to.h"
#include "engine/index/tag_record.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/lock.h"
#include "engine/table/pack.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_image.h"
#include "engine/table/replace.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_nav_test_support.h"
#include "support/forked_child.h"

namespace pw::testing {
namespace {

constexpr int kNotesPerWriter = 500;
constexpr int kStepsPerRound = 50;

class SharedIndexProcessTest : public IndexNavTest {
 protected:
  void SetUp() override {
    IndexNavTest::SetUp();
    RegisterMemoUnit();
    SetAutoDispatch(false);
  }

  // The note table's tag fields and a memo; the five note tags.
  void CreateNoteTable(const std::vector<std::vector<std::string>>& records = {}) {
    std::vector<FieldDef> fields = NoteTagFields();
    fields.push_back(Field("MEMO", 'M', 10));
    OpenIndexed(fields, records, ParseTagList(NoteIndexListLines()));
    ASSERT_TRUE(Use("")) << Detail();
  }

  // Opens the table shared in work area `number`, with its production index.
  bool OpenShared(int number) {
    return Select(number) && Use(tablePath_ + " ALIAS W" + std::to_string(number)) &&
           SetIndexTo("");
  }

  // Sets the tag fields of the current record from note `i` of writer `w`
  // (`variant` 0 for a new note, else a rewrite of it): boards repeat, so
  // equal keys pile up; handles are the writer's own.
  static void SetNote(int w, int i, int variant) {
    WorkArea& area = CurrentArea();
    const auto put = [&area](std::size_t at, const std::string& text) {
      std::copy(text.begin(), text.end(), area.raw.begin() + static_cast<long>(at));
    };
    if (variant == 0) area.raw.assign(area.recordLength, ' ');
    put(1, "Board " + std::to_string((i * 31 + w + variant) % 17));
    const std::string handle = std::to_string(w * 100000 + i + variant * 1000);
    put(51 + 10 - handle.size(), handle);
    put(61, (i + variant) % 2 == 0 ? "Y" : "N");
    put(62, (i + variant) % 3 == 0 ? "y" : "N");
    put(63, (i + variant) % 5 == 0 ? "Y" : "N");
    RawToImage(area);
  }

  // Tries a lock until it is granted (the other writer holds it a moment).
  static bool Retry(bool (*lock)()) {
    for (int attempt = 0; attempt < 20000; ++attempt) {
      if (lock()) return true;
      usleep(100);
    }
    return false;
  }

  // Step `i` of writer `w` in the current work area: append note i; after
  // every third append rewrite an earlier record, after every fifth delete
  // one. The number of steps that failed (0 when all went well).
  static int WriterStep(int w, int i) {
    int failures = 0;
    SetNote(w, i, 0);
    if (!Retry(ALock) || !Append()) ++failures;
    Unlock();
    const std::int32_t count = RecCount();
    if (i % 3 == 0) {
      Go((i * 7919 + w) % count + 1);
      if (!Retry(RLock)) return failures + 1;
      SetNote(w, i, 1 + i % 4);
      if (!Replace()) ++failures;
      Unlock();
    }
    if (i % 5 == 0) {
      Go((i * 104729 + w * 13) % count + 1);
      if (!Retry(RLock) || !DeleteRec()) ++failures;
      Unlock();
    }
    return failures;
  }

  // Every tag of the production index, read from the file as it is now,
  // against the keys the records make: all there, none extra, in order.
  void ExpectEveryTagHoldsExactlyTheRecordsKeys(std::int32_t records) {
    CloseAll();
    ASSERT_TRUE(Use(tablePath_ + " EXCLUSIVE")) << Detail();
    ASSERT_TRUE(SetIndexTo("")) << Detail();
    ASSERT_EQ(RecCount(), records);
    IndexState& state = State();
    for (int n = 1; n <= state.TagCount(); ++n) {
      IndexTag& tag = *state.TagNumbered(n);
      std::vector<std::pair<std::string, std::uint32_t>> expected;
      for (std::int32_t r = 1; r <= records; ++r) {
        RawGo(r);
        expected.emplace_back(KeyOfRecord(tag), static_cast<std::uint32_t>(r));
      }
      std::vector<std::pair<std::string, std::uint32_t>> held;
      for (const LeafItem& item : CheckedItems(n)) held.emplace_back(item.key, item.record);
      std::sort(expected.begin(), expected.end());
      std::sort(held.begin(), held.end());
      EXPECT_EQ(held, expected) << "tag " << tag.name;
    }
  }
};

TEST_F(SharedIndexProcessTest, TwoProcessesAppendingRewritingAndDeletingKeepEveryTagExact) {
  CreateNoteTable();
  // Both write at the same time, in rounds: at the end of each the two wait
  // for each other, so that neither can finish before the other starts.
  test::ForkedChild child([this](test::ChildLink& link) {
    if (!OpenShared(1)) return 100;
    int failures = 0;
    for (int i = 1; i <= kNotesPerWriter; ++i) {
      if (i % kStepsPerRound == 1) {
        link.Report(i);
        link.WaitForParent();
      }
      failures += WriterStep(2, i);
    }
    CloseAll();
    return std::min(failures, 99);
  });
  ASSERT_TRUE(OpenShared(1)) << Detail();
  int failures = 0;
  std::string firstError;
  for (int i = 1; i <= kNotesPerWriter; ++i) {
    if (i % kStepsPerRound == 1) {
      ASSERT_EQ(child.NextReport(), i) << "the child stopped";
      child.Continue();
    }
    const int failed = WriterStep(1, i);
    if (failed != 0 && firstError.empty()) firstError = Detail();
    failures += failed;
  }
  EXPECT_EQ(failures, 0) << firstError;
  EXPECT_EQ(child.Finish(), 0) << "steps that failed in the child";
  ExpectEveryTagHoldsExactlyTheRecordsKeys(2 * kNotesPerWriter);
}

TEST_F(SharedIndexProcessTest, TwoWorkAreasAppendingInTurnKeepEveryTagExact) {
  CreateNoteTable({{"Board 1", "1", "Y", "N", "N"}});
  ASSERT_TRUE(OpenShared(1)) << Detail();
  ASSERT_TRUE(OpenShared(2)) << Detail();
  constexpr int kSteps = 200;
  for (int i = 1; i <= kSteps; ++i) {
    for (int w = 1; w <= 2; ++w) {
      ASSERT_TRUE(Select(w));
      ASSERT_EQ(WriterStep(w, i), 0) << "work area " << w << ", step " << i << ": " << Detail();
    }
  }
  ExpectEveryTagHoldsExactlyTheRecordsKeys(1 + 2 * kSteps);
}

TEST_F(SharedIndexProcessTest, FailedAppendLeavesNeitherRecordNorKeys) {
  CreateNoteTable({{"Board 1", "1", "Y", "N", "N"}, {"Board 2", "2", "N", "N", "N"}});
  ASSERT_TRUE(OpenShared(1)) << Detail();
  std::uint64_t before = 0;
  ASSERT_EQ(CurrentArea().file.Size(&before), 0);
  // The third tag cannot take a key: its root points at the header.
  State().TagNumbered(3)->anchor.SetRootBlock(0);
  ASSERT_TRUE(ALock());
  SetNote(1, 3, 0);
  EXPECT_FALSE(Append());
  EXPECT_EQ(EngineErrorCode(), 254) << Detail();
  Unlock();
  std::uint64_t after = 0;
  ASSERT_EQ(CurrentArea().file.Size(&after), 0);
  EXPECT_EQ(after, before) << "the record left the file again";
  EXPECT_EQ(RecCount(), 2);
  ExpectEveryTagHoldsExactlyTheRecordsKeys(2);
}

TEST_F(SharedIndexProcessTest, AfterPackOfSharedTableAnotherProcessOpensTableMemoAndIndex) {
  CreateNoteTable({{"Board 1", "1", "Y", "N", "N"},
                   {"Board 2", "2", "N", "N", "N"},
                   {"Board 3", "3", "Y", "Y", "N"}});
  ASSERT_TRUE(OpenShared(1)) << Detail();
  Go(2);
  ASSERT_TRUE(RLock());
  ASSERT_TRUE(DeleteRec());
  Unlock();
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_FALSE(CurrentArea().exclusive);
  ASSERT_NE(AreaIndex(CurrentArea()), nullptr);
  EXPECT_NE(AreaIndex(CurrentArea())->semaphore, nullptr) << "the index takes part in sharing";

  test::ForkedChild child([this](test::ChildLink& link) {
    // Use opens the memo file, SetIndexTo the index, both shared. Work
    // area 1 is the parent's open, inherited: the child leaves it alone.
    if (!Select(2) || !Use(tablePath_ + " ALIAS CHILD")) return 10;
    if (!SetIndexTo("")) return 11;
    SetNote(2, 4, 0);
    if (!ALock() || !Append()) return 12;
    Unlock();
    link.Report(RecCount());
    return Use("") ? 0 : 13;
  });
  EXPECT_EQ(child.NextReport(), 3) << "the child opened and appended";
  EXPECT_EQ(child.Finish(), 0);
  SetNote(1, 5, 0);
  ASSERT_TRUE(ALock());
  EXPECT_TRUE(Append()) << Detail();
  Unlock();
  ExpectEveryTagHoldsExactlyTheRecordsKeys(4);
}

}  // namespace
}  // namespace pw::testing
