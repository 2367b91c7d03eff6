#include "filter_locate_test_support.h"

#include "engine/expr/expr_hooks.h"
#include "engine/memo/add_memo.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/go_top.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"

namespace pw::testing {

void FilterLocateTest::SetUp() {
  savedHooks_ = RegisteredHooks();
  ExprTest::SetUp();
  RegisterExprUnit();
  RegisterMemoUnit();
}

void FilterLocateTest::TearDown() {
  ExprTest::TearDown();
  RegisteredHooks() = savedHooks_;
}

void FilterLocateTest::OpenPeople(const std::vector<Person>& people) {
  OpenTable("people",
            {Field("NAME", 'C', 20), Field("HANDLE", 'N', 10), Field("AMOUNT", 'N', 15, 2),
             Field("DUE", 'D', 8), Field("DONE", 'L', 1), Field("ALARMACT", 'C', 1),
             Field("DESC", 'C', 10), Field("MEMO", 'M', 10)},
            {});
  for (const Person& p : people) {
    const std::string block = p.memo.empty() ? "" : std::to_string(AddMemo(p.memo));
    AddRecord({p.name, p.handle, p.amount, p.due, p.done, p.alarm, p.desc, block});
  }
  ASSERT_EQ(CurrentArea().recordCount, static_cast<std::int32_t>(people.size()));
}

void FilterLocateTest::Delete(std::int32_t n) {
  Go(n);
  ASSERT_TRUE(DeleteRec()) << Detail();
}

std::vector<std::int32_t> FilterLocateTest::VisitedForward() {
  std::vector<std::int32_t> visited;
  for (GoTop(); !AtEof(); Skip(1)) visited.push_back(Current());
  return visited;
}

std::vector<std::int32_t> FilterLocateTest::VisitedBackward() {
  std::vector<std::int32_t> visited;
  GoBottom();
  if (AtEof()) return visited;
  for (;;) {
    visited.push_back(Current());
    Skip(-1);
    if (CurrentArea().bof) break;
  }
  return visited;
}

std::int32_t FilterLocateTest::Current() const {
  return CurrentArea().recordNumber;
}

bool FilterLocateTest::AtEof() const {
  return CurrentArea().eof;
}

LocateValue TextValue(const std::string& text) {
  return {.text = text};
}

LocateValue WholeValue(long long whole) {
  return {.whole = whole};
}

LocateValue RealValue(double real) {
  return {.real = real};
}

LocateValue TruthValue(bool truth) {
  return {.truth = truth};
}

}  // namespace pw::testing
