// Throughput of the table engine on the notes table's layout without its
// index (37 fields, record length 481, header length 1217): appending to an
// exclusive table, appending to a shared table with the append lock taken
// and released around every record, and reading every record in order.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/field_info.h"
#include "engine/table/go_top.h"
#include "engine/table/lock.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_buffer.h"
#include "engine/table/skip.h"
#include "engine/table/use.h"
#include "support/bench_support.h"
#include "support/note_table.h"

namespace {

using pw::bench::Check;
using pw::bench::NoteFields;
using pw::bench::ScratchFolder;

constexpr int kRecords = 100000;

// Opens a new, empty notes table in work area 1.
void OpenNewTable(const ScratchFolder& folder, bool exclusive) {
  pw::CloseAll();
  Check(pw::CreateDBF(folder.Table(), static_cast<int>(NoteFields().size()), NoteFields()),
        "CreateDBF");
  Check(pw::Use(folder.Table() + (exclusive ? " EXCLUSIVE" : "")), "Use");
  Check(pw::RecSize() == 481, "record length");
}

// Fills the record image as the program does for a new note: blank, then
// a title and a handle.
void PrepareNote(int id) {
  constexpr int kDescField = 1;
  constexpr int kHandleField = 17;
  pw::ClearRecord();
  static const char kTitle[] = "Benchmark note";
  std::memcpy(pw::FieldAddress(kDescField) + 1, kTitle, sizeof kTitle - 1);
  const std::int64_t handle = id;  // N(10): a whole number that can pass 32 bits
  std::memcpy(pw::FieldAddress(kHandleField), &handle, sizeof handle);
}

void BM_AppendExclusive(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    ScratchFolder folder;
    OpenNewTable(folder, true);
    state.ResumeTiming();
    for (int i = 1; i <= kRecords; ++i) {
      PrepareNote(i);
      Check(pw::Append(), "Append");
    }
    state.PauseTiming();
    pw::CloseAll();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_AppendExclusive)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_AppendSharedLockEach(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    ScratchFolder folder;
    OpenNewTable(folder, false);
    state.ResumeTiming();
    for (int i = 1; i <= kRecords; ++i) {
      PrepareNote(i);
      Check(pw::ALock(), "ALock");
      Check(pw::Append(), "Append");
      pw::Unlock();
    }
    state.PauseTiming();
    pw::CloseAll();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_AppendSharedLockEach)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ReadAllGoTopSkip(benchmark::State& state) {
  ScratchFolder folder;
  OpenNewTable(folder, true);
  for (int i = 1; i <= kRecords; ++i) {
    PrepareNote(i);
    Check(pw::Append(), "Append");
  }
  std::int64_t read = 0;
  for (auto _ : state) {
    pw::GoTop();
    while (!pw::dEOF()) {
      benchmark::DoNotOptimize(pw::FieldAddress(1));
      ++read;
      pw::Skip(1);
    }
  }
  Check(read == state.iterations() * kRecords, "records read");
  pw::CloseAll();
  state.SetItemsProcessed(read);
}
BENCHMARK(BM_ReadAllGoTopSkip)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
