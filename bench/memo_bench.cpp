// Memo streams: 100,000 memos of 1 KB written through write streams, then
// read back through read streams. Entries are not committed one by one
// (MemoCommitOnClose off): the figure measures the memo unit, not fsync.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/memo/blob_stream.h"
#include "engine/memo/memo_commit.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/engine_settings.h"
#include "engine/table/use.h"

namespace {

constexpr int kMemos = 100000;
constexpr std::size_t kMemoSize = 1024;

class MemoTable {
 public:
  MemoTable() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pwbenchXXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    pw::RegisterMemoUnit();
    pw::Settings().networkMode = false;
    pw::SetMemoCommitOnClose(false);
    pw::FieldDef memo;
    memo.name = "MEMO";
    memo.type = 'M';
    memo.length = 10;
    const std::string table = folder_ + "/bench.dbf";
    ok_ = pw::CreateDBF(table, 1, {memo}) && pw::Use(table);
  }
  ~MemoTable() {
    pw::CloseAll();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }
  bool ok() const { return ok_; }

 private:
  std::string folder_;
  bool ok_ = false;
};

void BM_WriteAndReadMemos(benchmark::State& state) {
  MemoTable table;
  if (!table.ok()) {
    state.SkipWithError("cannot create the table");
    return;
  }
  std::string text(kMemoSize, 'x');
  std::string buffer(kMemoSize, '\0');
  std::vector<std::int32_t> blocks(kMemos);
  for (auto _ : state) {
    if (state.range(0) == 0) {
      for (int n = 0; n < kMemos; ++n) {
        blocks[n] = pw::CreateBlobDescriptor(true, 0, 2);
        pw::WriteBlobStream(text.data(), text.size());
        pw::CloseBlobStream();
      }
    } else {
      state.PauseTiming();
      for (int n = 0; n < kMemos; ++n) {
        blocks[n] = pw::CreateBlobDescriptor(true, 0, 2);
        pw::WriteBlobStream(text.data(), text.size());
        pw::CloseBlobStream();
      }
      state.ResumeTiming();
      for (int n = 0; n < kMemos; ++n) {
        pw::CreateBlobDescriptor(true, blocks[n], 1);
        benchmark::DoNotOptimize(pw::SeekBlobStream(0, 2));
        pw::SeekBlobStream(0, 0);
        benchmark::DoNotOptimize(pw::ReadBlobStream(buffer.data(), buffer.size()));
        pw::CloseBlobStream();
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kMemos);
  state.SetBytesProcessed(state.iterations() * kMemos * static_cast<std::int64_t>(kMemoSize));
}
// Argument 0: writing; 1: reading back what was written.
BENCHMARK(BM_WriteAndReadMemos)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
