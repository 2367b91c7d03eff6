// The engine on the notes table as the program creates it, a memo on every
// record, exclusive, wall-clock: appending with the five tags open (with
// the memo commit's fsync off, and on as the program runs), 100,000 random
// Finds on HANDLE, a Find followed by a step in another order (so that the
// other tags' positions are paid for), and the rebuild of the five tags.
// Append and Find also run at 10,000, 100,000 and 1,000,000 records, to
// show the growth. The 1,000,000-record runs take minutes to fill their
// table: they run only under a filter that names them
// (--benchmark_filter=/1000000/). Shared appends under the lock protocol
// are in shared_index_bench.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// Appends state.range(0) notes to a new table; `commit` turns the memo
// commit's fsync on for them.
void AppendNotes(benchmark::State& state, bool commit) {
  const auto records = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    ScratchFolder folder;
    pw::bench::CreateNoteTable(folder);
    pw::bench::OpenNoteTable(folder, 1, true);
    pw::SetMemoCommitOnClose(commit);
    state.ResumeTiming();
    for (int i = 1; i <= records; ++i) pw::bench::AppendNote(i, false);
    state.PauseTiming();
    pw::SetMemoCommitOnClose(false);
    pw::CloseAll();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * records);
}

void BM_NoteAppendExclusive(benchmark::State& state) {
  AppendNotes(state, false);
}
BENCHMARK(BM_NoteAppendExclusive)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// As the program runs: every memo entry is committed to disk before its
// record is written.
void BM_NoteAppendExclusiveMemoCommit(benchmark::State& state) {
  AppendNotes(state, true);
}
BENCHMARK(BM_NoteAppendExclusiveMemoCommit)
    ->Arg(10000)
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
    ->Iterations(100000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// Find on HANDLE, then the change to `order`, which places that tag on the
// found record among its run of equal keys, and one step in it.
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
    ->Arg(pw::bench::kAlarmActTag)
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

int main(int argc, char** argv) {
  std::vector<char*> arguments(argv, argv + argc);
  // Without a filter of the caller's, the 1,000,000-record runs stay out.
  std::string quickRuns = "--benchmark_filter=-/1000000/";
  const bool filtered = std::any_of(arguments.begin(), arguments.end(), [](const char* argument) {
    return std::string_view(argument).starts_with("--benchmark_filter");
  });
  if (!filtered) arguments.push_back(quickRuns.data());
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
