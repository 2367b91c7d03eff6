// A long random run of appends, rewrites and deletions against a plain
// model of what every tag must hold: after every step the table engine's
// walk in the controlling order matches the model, and at intervals every
// tag's tree is walked and checked on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/index/index_order.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/position_queries.h"
#include "engine/table/set_ignore_del.h"
#include "index_nav_test_support.h"

namespace pw::testing {
namespace {

struct Row {
  std::string name;
  int number = 0;
  bool flag = false;
  bool deleted = false;
};

// One tag of the model: which records it holds, newest equal key first.
struct ModelTag {
  bool byName;
  bool descending;
  bool unique;
  bool forFlag;
  struct Entry {
    std::int32_t record;
    std::uint64_t stamp;
  };
  std::vector<Entry> entries;

  int Compare(const Row& a, const Row& b) const {
    const int order =
        byName ? a.name.compare(b.name) : (a.number > b.number) - (a.number < b.number);
    return descending ? -order : order;
  }
  bool Holds(std::int32_t record) const {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Entry& e) { return e.record == record; });
  }
  bool HoldsKeyOf(const std::vector<Row>& rows, const Row& row) const {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const Entry& e) { return Compare(rows[e.record - 1], row) == 0; });
  }
  void Add(const std::vector<Row>& rows, std::int32_t record, std::uint64_t stamp) {
    const Row& row = rows[record - 1];
    if (forFlag && !row.flag) return;
    if (unique && HoldsKeyOf(rows, row)) return;
    entries.push_back({record, stamp});
  }
  void Remove(std::int32_t record) {
    std::erase_if(entries, [&](const Entry& e) { return e.record == record; });
  }
  // The record after a rewrite from `old` to its new row.
  void Rewrite(const std::vector<Row>& rows, std::int32_t record, const Row& old,
               std::uint64_t stamp) {
    const Row& now = rows[record - 1];
    const bool keyChanged = Compare(old, now) != 0 || (forFlag && !now.flag);
    if (Holds(record)) {
      if (!keyChanged) return;
      Remove(record);
      Add(rows, record, stamp);
    } else if (forFlag && !old.flag) {
      Add(rows, record, stamp);
    } else if (keyChanged) {
      Add(rows, record, stamp);
    }
  }
  std::vector<std::int32_t> Order(const std::vector<Row>& rows, bool visibleOnly) const {
    std::vector<Entry> sorted = entries;
    std::sort(sorted.begin(), sorted.end(), [&](const Entry& a, const Entry& b) {
      const int order = Compare(rows[a.record - 1], rows[b.record - 1]);
      return order != 0 ? order < 0 : a.stamp > b.stamp;
    });
    std::vector<std::int32_t> records;
    for (const Entry& e : sorted) {
      if (!visibleOnly || !rows[e.record - 1].deleted) records.push_back(e.record);
    }
    return records;
  }
};

class IndexNavModelTest : public IndexNavTest {};

TEST_F(IndexNavModelTest, RandomEditsKeepEveryTagInStepWithTheModel) {
  OpenIndexed({Field("NAME", 'C', 40), Field("NUM", 'N', 6), Field("FLAG", 'C', 1)}, {},
              {{"NAME", "NAME", "", false, false},
               {"NUMDOWN", "NUM", "", true, false},
               {"UNAME", "NAME", "", false, true},
               {"FLAGGED", "NUM", "FLAG = 'Y'", false, false}});
  SetIgnoreDel(true);
  std::vector<ModelTag> tags{{true, false, false, false, {}},
                             {false, true, false, false, {}},
                             {true, false, true, false, {}},
                             {false, false, false, true, {}}};
  std::vector<Row> rows;
  std::mt19937 random(20240307);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto randomName = [&] {
    return std::string(1 + pick(3), static_cast<char>('A' + pick(6))) +
           static_cast<char>('A' + pick(26));
  };
  std::uint64_t stamp = 0;
  int order = 1;
  for (int step = 1; step <= 1500; ++step) {
    const int action = pick(10);
    if (rows.empty() || action < 4) {
      Row row{randomName(), pick(2001) - 1000, pick(2) == 0, false};
      rows.push_back(row);
      AddRecord({row.name, std::to_string(row.number), row.flag ? "Y" : "N"});
      for (ModelTag& tag : tags) tag.Add(rows, static_cast<std::int32_t>(rows.size()), ++stamp);
    } else if (action < 9) {
      const auto record = static_cast<std::int32_t>(1 + pick(static_cast<int>(rows.size())));
      Go(record);
      const Row old = rows[record - 1];
      Row& row = rows[record - 1];
      switch (pick(3)) {
        case 0:
          row.name = randomName();
          Rewrite("NAME", row.name);
          break;
        case 1:
          row.number = pick(2001) - 1000;
          Rewrite("NUM", std::to_string(row.number));
          break;
        default:
          row.flag = !row.flag;
          Rewrite("FLAG", row.flag ? "Y" : "N");
          break;
      }
      ++stamp;
      for (ModelTag& tag : tags) tag.Rewrite(rows, record, old, stamp);
    } else {
      const auto record = static_cast<std::int32_t>(1 + pick(static_cast<int>(rows.size())));
      Go(record);
      ASSERT_TRUE(DeleteRec()) << Detail();
      rows[record - 1].deleted = true;
    }
    ASSERT_EQ(EngineErrorCode(), 0) << "step " << step << ": " << Detail();
    if (step % 100 == 0) {
      order = order % 4 + 1;
      ASSERT_TRUE(Set_Order_To(order)) << Detail();
      for (int n = 1; n <= 4; ++n) {
        ASSERT_EQ(TagRecords(n), tags[n - 1].Order(rows, false)) << "tag " << n << " step " << step;
      }
    }
    ASSERT_EQ(WalkForward(), tags[order - 1].Order(rows, true))
        << "tag " << order << " step " << step;
  }
  std::vector<std::int32_t> backward = tags[order - 1].Order(rows, true);
  std::reverse(backward.begin(), backward.end());
  EXPECT_EQ(WalkBackward(), backward);
}

}  // namespace
}  // namespace pw::testing
