// Throughput of the table engine on a table shaped like the notes table
// (37 fields, record length 481, header length 1217): appending to an
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

namespace {

using pw::bench::Check;
using pw::bench::Def;
using pw::bench::ScratchFolder;

constexpr int kRecords = 100000;

// A note: identity, text, dates and alarm, window geometry and looks,
// e-mail, and a reserve; the lengths add up to 480.
std::vector<pw::FieldDef> NoteFields() {
  return {Def("NOTEID", 'N', 10),   Def("TITLE", 'C', 60),     Def("TEXT", 'M', 10),
          Def("CREATED", 'D', 8),   Def("MODIFIED", 'D', 8),   Def("ALARMDATE", 'D', 8),
          Def("ALARMTIME", 'C', 8), Def("SNOOZE", 'N', 5),     Def("NEVEREXP", 'L', 1),
          Def("EXPIRES", 'D', 8),   Def("LEFT", 'N', 6),       Def("TOP", 'N', 6),
          Def("WIDTH", 'N', 6),     Def("HEIGHT", 'N', 6),     Def("COLOR", 'N', 10),
          Def("FONTNAME", 'C', 32), Def("FONTSIZE", 'N', 3),   Def("FONTCOLOR", 'N', 10),
          Def("VISIBLE", 'L', 1),   Def("ONTOP", 'L', 1),      Def("HANDLE", 'N', 10),
          Def("CATEGORY", 'C', 20), Def("PRIORITY", 'N', 2),   Def("SOUND", 'C', 60),
          Def("REPEAT", 'N', 3),    Def("REPEATUNIT", 'C', 1), Def("EMAILTO", 'C', 60),
          Def("EMAILSENT", 'L', 1), Def("ARCHIVED", 'L', 1),   Def("OWNER", 'C', 20),
          Def("STATE", 'N', 2),     Def("OPACITY", 'N', 3),    Def("ROLLED", 'L', 1),
          Def("DESKTOP", 'N', 2),   Def("ICON", 'C', 20),      Def("ATTACH", 'M', 10),
          Def("RESERVED", 'C', 57)};
}

// Opens a new, empty notes table in work area 1.
void OpenNewTable(const ScratchFolder& folder, bool exclusive) {
  pw::CloseAll();
  Check(pw::CreateDBF(folder.Table(), 37, NoteFields()), "CreateDBF");
  Check(pw::Use(folder.Table() + (exclusive ? " EXCLUSIVE" : "")), "Use");
  Check(pw::RecSize() == 481, "record length");
}

// Fills the record image as the program does for a new note: blank, then
// an id and a title.
void PrepareNote(int id) {
  pw::ClearRecord();
  const std::int64_t noteId = id;  // N(10): a whole number that can pass 32 bits
  std::memcpy(pw::FieldAddress(1), &noteId, sizeof noteId);
  unsigned char* title = pw::FieldAddress(2);
  static const char kTitle[] = "Benchmark note";
  std::memcpy(title + 1, kTitle, sizeof kTitle - 1);
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
BENCHMARK(BM_AppendExclusive)->Unit(benchmark::kMillisecond)->Iterations(3);

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
BENCHMARK(BM_AppendSharedLockEach)->Unit(benchmark::kMillisecond)->Iterations(3);

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
BENCHMARK(BM_ReadAllGoTopSkip)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
