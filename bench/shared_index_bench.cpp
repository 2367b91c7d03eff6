// Appending to a table with the five tags of the note tables open (BOARD,
// HANDLE, SHOWING, ALARMACT, EXPIREACT): exclusively, shared from one work
// area, and shared from two work areas of one process that append in turn,
// as the program's windows do on the notes table. Every shared append takes
// the append lock and the index write semaphore; in turn, each one also
// finds the other work area's change and re-reads the anchors.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/expr/expr_hooks.h"
#include "engine/index/index_unit.h"
#include "engine/index/make_index.h"
#include "engine/index/set_index_to.h"
#include "engine/index/tag_description.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/lock.h"
#include "engine/table/record_image.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "support/bench_support.h"

namespace {

using pw::bench::Check;
using pw::bench::Def;
using pw::bench::ScratchFolder;

constexpr int kRecords = 10000;

// DESC C(50), NOTEBOARD C(50), HANDLE N(10), SHOWING, ALARMACT, EXPIRES C(1).
void CreateIndexedTable(const ScratchFolder& folder) {
  pw::RegisterExprUnit();
  pw::RegisterIndexUnit();
  pw::SetAutoDispatch(false);
  pw::CloseAll();
  const std::vector<pw::FieldDef> fields = {Def("DESC", 'C', 50),    Def("NOTEBOARD", 'C', 50),
                                            Def("HANDLE", 'N', 10),  Def("SHOWING", 'C', 1),
                                            Def("ALARMACT", 'C', 1), Def("EXPIRES", 'C', 1)};
  Check(pw::CreateDBF(folder.Table(), 6, fields), "CreateDBF");
  Check(pw::Use(folder.Table() + " EXCLUSIVE"), "Use");
  const std::vector<pw::TagDescription> tags = pw::ParseTagList(
      {"BOARD,F,F,upper(Noteboard)", "", "HANDLE,F,F,handle", "", "SHOWING,F,F,showing", "",
       "ALARMACT,F,F,upper(alarmact)", "", "EXPIREACT,F,F,upper(expires)", ""});
  Check(pw::MakeIndex(tags, ""), "MakeIndex");
  pw::CloseAll();
}

// Opens the table with its index in work area `number`.
void OpenIn(const ScratchFolder& folder, int number, bool exclusive) {
  Check(pw::Select(number), "Select");
  const std::string alias = " ALIAS NOTES" + std::to_string(number);
  Check(pw::Use(folder.Table() + alias + (exclusive ? " EXCLUSIVE" : "")), "Use");
  Check(pw::SetIndexTo(""), "SetIndexTo");
}

void Put(pw::WorkArea& area, std::size_t offset, const std::string& value) {
  std::copy(value.begin(), value.end(), area.raw.begin() + static_cast<long>(offset));
}

// A new note with scattered board, handle and flags, appended to the
// current work area (under the append lock when shared).
void AppendNote(int i, bool shared) {
  pw::WorkArea& area = pw::CurrentArea();
  const unsigned scrambled = static_cast<unsigned>(i) * 2654435761u;
  area.raw.assign(area.recordLength, ' ');
  Put(area, 1, "Benchmark note");
  Put(area, 51, "Board " + std::to_string(scrambled % 50));
  const std::string handle = std::to_string(scrambled % 1000000);
  Put(area, 101 + 10 - handle.size(), handle);
  Put(area, 111, scrambled % 3 == 0 ? "N" : "Y");
  Put(area, 112, scrambled % 7 == 0 ? "Y" : "N");
  Put(area, 113, scrambled % 11 == 0 ? "Y" : "N");
  pw::RawToImage(area);
  if (shared) Check(pw::ALock(), "ALock");
  Check(pw::Append(), "Append");
  if (shared) pw::Unlock();
}

// `areas` work areas (1 or 2) append kRecords notes in turn.
void RunAppends(benchmark::State& state, bool exclusive, int areas) {
  for (auto _ : state) {
    state.PauseTiming();
    ScratchFolder folder;
    CreateIndexedTable(folder);
    for (int n = 1; n <= areas; ++n) OpenIn(folder, n, exclusive);
    state.ResumeTiming();
    for (int i = 1; i <= kRecords; ++i) {
      Check(pw::Select(1 + i % areas), "Select");
      AppendNote(i, !exclusive);
    }
    state.PauseTiming();
    pw::CloseAll();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_IndexedAppendExclusive(benchmark::State& state) {
  RunAppends(state, true, 1);
}
BENCHMARK(BM_IndexedAppendExclusive)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_IndexedAppendSharedOneArea(benchmark::State& state) {
  RunAppends(state, false, 1);
}
BENCHMARK(BM_IndexedAppendSharedOneArea)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

void BM_IndexedAppendSharedTwoAreasInTurn(benchmark::State& state) {
  RunAppends(state, false, 2);
}
BENCHMARK(BM_IndexedAppendSharedTwoAreasInTurn)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
