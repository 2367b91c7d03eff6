// Index build throughput: the five tags of the note tables (BOARD C 50,
// HANDLE N, SHOWING, ALARMACT and EXPIREACT C 1) built over 100,000
// records, each tag sorting in runs that spill to a temporary file and are
// merged. Items processed are keys, so the rate reads as keys per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/expr/expr_hooks.h"
#include "engine/index/make_index.h"
#include "engine/index/tag_description.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/record_image.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "support/bench_support.h"

namespace {

using pw::bench::Check;
using pw::bench::Def;
using pw::bench::ScratchFolder;

constexpr int kRecords = 100000;
constexpr int kTags = 5;

// Puts `value` into the raw record at `offset`, left-aligned in `width`.
void Put(pw::WorkArea& area, std::size_t offset, const std::string& value) {
  std::copy(value.begin(), value.end(), area.raw.begin() + static_cast<long>(offset));
}

// A notes table of kRecords records with scattered boards and handles.
void OpenFilledTable(const ScratchFolder& folder) {
  pw::CloseAll();
  const std::vector<pw::FieldDef> fields = {Def("NOTEBOARD", 'C', 50), Def("HANDLE", 'N', 10),
                                            Def("SHOWING", 'C', 1), Def("ALARMACT", 'C', 1),
                                            Def("EXPIRES", 'C', 1)};
  Check(pw::CreateDBF(folder.Table(), kTags, fields), "CreateDBF");
  Check(pw::Use(folder.Table() + " EXCLUSIVE"), "Use");
  pw::WorkArea& area = pw::CurrentArea();
  for (int i = 1; i <= kRecords; ++i) {
    const unsigned scrambled = static_cast<unsigned>(i) * 2654435761u;
    area.raw.assign(area.recordLength, ' ');
    Put(area, 1, "Board " + std::to_string(scrambled % 5000));
    const std::string handle = std::to_string(scrambled % 1000000);
    Put(area, 51 + 10 - handle.size(), handle);
    Put(area, 61, scrambled % 3 == 0 ? "N" : "Y");
    Put(area, 62, scrambled % 7 == 0 ? "Y" : "N");
    Put(area, 63, scrambled % 11 == 0 ? "Y" : "N");
    pw::RawToImage(area);
    Check(pw::Append(), "Append");
  }
}

void BM_BuildNoteTags(benchmark::State& state) {
  pw::RegisterExprUnit();
  pw::SetAutoDispatch(false);
  ScratchFolder folder;
  OpenFilledTable(folder);
  const std::vector<pw::TagDescription> tags = pw::ParseTagList(
      {"BOARD,F,F,upper(Noteboard)", "", "HANDLE,F,F,handle", "", "SHOWING,F,F,showing", "",
       "ALARMACT,F,F,upper(alarmact)", "", "EXPIREACT,F,F,upper(expires)", ""});
  for (auto _ : state) Check(pw::MakeIndex(tags, ""), "MakeIndex");
  pw::CloseAll();
  state.SetItemsProcessed(state.iterations() * kRecords * kTags);
}
BENCHMARK(BM_BuildNoteTags)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
