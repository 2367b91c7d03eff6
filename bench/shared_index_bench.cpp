// Appending to the notes table, a memo on every record, with its five tags
// open (BOARD, HANDLE, SHOWING, ALARMACT, EXPIREACT): exclusively, shared from one work
// area, and shared from two work areas of one process that append in turn,
// as the program's windows do on the notes table. Every shared append takes
// the append lock and the index write semaphore; in turn, each one also
// finds the other work area's change and re-reads the anchors.
#include <benchmark/benchmark.h>

#include "engine/table/work_areas.h"
#include "support/note_table.h"

namespace {

using pw::bench::Check;
using pw::bench::ScratchFolder;

constexpr int kRecords = 10000;

// `areas` work areas (1 or 2) append kRecords notes in turn.
void RunAppends(benchmark::State& state, bool exclusive, int areas) {
  for (auto _ : state) {
    state.PauseTiming();
    ScratchFolder folder;
    pw::bench::CreateNoteTable(folder);
    for (int n = 1; n <= areas; ++n) pw::bench::OpenNoteTable(folder, n, exclusive);
    state.ResumeTiming();
    for (int i = 1; i <= kRecords; ++i) {
      Check(pw::Select(1 + i % areas), "Select");
      pw::bench::AppendNote(i, !exclusive);
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
