// The engine on the notes table as the program creates it, a memo on every
// record, exclusive, wall-clock: appending with the five tags open, random
// Find on HANDLE, a Find followed by a step in another order (so that the
// other tags' positions are paid for), and the rebuild of the five tags.
// The argument is the number of records; 1,000,000 is registered for runs
// by hand (--benchmark_filter=.../1000000), its table takes minutes to fill.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
#include "engine/table/skip.h"
#include "support/note_table.h"

namespace {

using pw::bench::Check;
using pw::bench::ScratchFolder;

// A filled notes table with its index, kept open in work area 1 for the
// benchmarks of one argument.
class FilledNotes {
 public:
  static FilledNotes& Of(int records) {
    static std::unique_ptr<FilledNotes> filled;
    if (filled == nullptr || filled->records_ != records) {
      filled.reset();
      filled = std::make_unique<FilledNotes>(records);
    }
    pw::bench::OpenNoteTable(filled->folder_, 1, true);
    return *filled;
  }

  explicit FilledNotes(int records) : records_(records) {
    pw::bench::CreateNoteTable(folder_, false);
    Check(pw::Use(folder_.Table() + " EXCLUSIVE"), "Use");
    for (int i = 1; i <= records; ++i) pw::bench::AppendNote(i, false);
    Check(pw::MakeIndex(pw::bench::NoteTags(), ""), "MakeIndex");
    pw::CloseAll();
  }
  ~FilledNotes() { pw::CloseAll(); }

  int records() const { return records_; }
  const ScratchFolder& folder() const { return folder_; }

 private:
  ScratchFolder folder_;
  int records_;
};

// The handle text of a note picked by a fixed pseudo-random walk.
std::string RandomHandle(int records, unsigned* seed) {
  *seed = *seed * 1103515245u + 12345u;
  return std::to_string(pw::bench::NoteHandle(static_cast<int>(*seed % records) + 1));
}

void BM_NoteAppendExclusive(benchmark::State& state) {
  const auto records = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ScratchFolder folder;
    pw::bench::CreateNoteTable(folder);
    pw::bench::OpenNoteTable(folder, 1, true);
    state.ResumeTiming();
    for (int i = 1; i <= records; ++i) pw::bench::AppendNote(i, false);
    state.PauseTiming();
    pw::CloseAll();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_NoteAppendExclusive)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_NoteFindHandle(benchmark::State& state) {
  const FilledNotes& notes = FilledNotes::Of(static_cast<int>(state.range(0)));
  Check(pw::SetOrderToTag("HANDLE"), "SetOrderToTag");
  unsigned seed = 1;
  for (auto _ : state) {
    Check(pw::Find(RandomHandle(notes.records(), &seed)), "Find");
  }
  state.SetItemsProcessed(state.iterations());
  pw::CloseAll();
}
BENCHMARK(BM_NoteFindHandle)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// Find on HANDLE, then one step in `order` and back to HANDLE: the change
// of order positions every tag on the record.
void BM_NoteFindThenSkipInOrder(benchmark::State& state) {
  const FilledNotes& notes = FilledNotes::Of(100000);
  const auto order = static_cast<int>(state.range(0));
  unsigned seed = 1;
  for (auto _ : state) {
    Check(pw::Set_Order_To(pw::bench::kHandleTag), "Set_Order_To");
    Check(pw::Find(RandomHandle(notes.records(), &seed)), "Find");
    Check(pw::Set_Order_To(order), "Set_Order_To");
    pw::Skip(1);
  }
  state.SetItemsProcessed(state.iterations());
  pw::CloseAll();
}
BENCHMARK(BM_NoteFindThenSkipInOrder)
    ->Arg(pw::bench::kBoardTag)
    ->Arg(pw::bench::kShowingTag)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_NoteRebuildTags(benchmark::State& state) {
  FilledNotes::Of(static_cast<int>(state.range(0)));
  for (auto _ : state) Check(pw::MakeIndex(pw::bench::NoteTags(), ""), "MakeIndex");
  state.SetItemsProcessed(state.iterations() * state.range(0));
  pw::CloseAll();
}
BENCHMARK(BM_NoteRebuildTags)
    ->Arg(100000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
