// Evaluation speed of compiled expressions over 100,000 records held in
// memory: each record is swapped into the work area's raw buffer and the
// expression re-evaluated, so no file is read while measuring. The counter
// "allocations" is the number of heap allocations made while evaluating,
// which must be 0.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/expr/expression.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace {

std::atomic<long long> allocations{0};

}  // namespace

// The replacements pair malloc with free themselves; GCC sees the default
// new inlined beside them and warns about a mismatch that does not exist.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

namespace {

constexpr int kRecords = 100000;

pw::FieldDef Def(const char* name, char type, std::uint8_t length) {
  pw::FieldDef field;
  field.name = name;
  field.type = type;
  field.length = length;
  return field;
}

// A table with the fields the expressions use, opened exclusively in work
// area 1, and 100,000 raw records of varied contents beside it.
class Records {
 public:
  Records() {
    const std::string pattern =
        (std::filesystem::temp_directory_path() / "pwexprbenchXXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = name.data();
    pw::SetAutoDispatch(false);
    const std::vector<pw::FieldDef> fields = {Def("NOTEBOARD", 'C', 50), Def("ALARMACT", 'C', 1),
                                              Def("DATECREATE", 'D', 8)};
    const std::string path = dir_ + "/notes.dbf";
    if (!pw::CreateDBF(path, static_cast<int>(fields.size()), fields) ||
        !pw::Use(path + " EXCLUSIVE")) {
      throw std::runtime_error("cannot create the table: " + pw::ErrorMessage());
    }
    pw::WorkArea& area = pw::CurrentArea();
    for (int i = 0; i < kRecords; ++i) {
      std::vector<unsigned char> raw(area.recordLength, ' ');
      char text[64];
      const int length = std::snprintf(text, sizeof text, "Board number %d of the notes", i % 977);
      std::copy_n(text, length, raw.begin() + area.fields[0].offset);
      raw[area.fields[1].offset] = i % 3 == 0 ? 'Y' : 'N';
      std::snprintf(text, sizeof text, "%04d%02d%02d", 2020 + i % 8, 1 + i % 12, 1 + i % 28);
      std::copy_n(text, 8, raw.begin() + area.fields[2].offset);
      records_.push_back(std::move(raw));
    }
  }
  ~Records() {
    pw::CloseAll();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  // Evaluates `expr` once per record; returns how many results were true or
  // began with a letter, so that nothing is optimised away.
  long long EvaluateAll(pw::CompiledExpr* expr) {
    pw::WorkArea& area = pw::CurrentArea();
    long long hits = 0;
    for (std::vector<unsigned char>& record : records_) {
      area.raw.swap(record);
      const void* result = pw::Evaluate(expr);
      hits += *static_cast<const unsigned char*>(result) != 0;
      area.raw.swap(record);
    }
    return hits;
  }

 private:
  std::string dir_;
  std::vector<std::vector<unsigned char>> records_;
};

Records& SharedRecords() {
  static Records records;
  return records;
}

void RunOverRecords(benchmark::State& state, const char* text) {
  Records& records = SharedRecords();
  pw::CompiledExpr* expr = pw::AssignExpr(text);
  if (expr == nullptr) {
    state.SkipWithError("the expression does not compile");
    return;
  }
  records.EvaluateAll(expr);  // first use
  long long allocated = 0;
  for (auto _ : state) {
    const long long before = allocations.load();
    benchmark::DoNotOptimize(records.EvaluateAll(expr));
    allocated += allocations.load() - before;
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
  state.counters["allocations"] = static_cast<double>(allocated);
  pw::ReleaseExpr(expr);
}

void BM_UpperNoteboard(benchmark::State& state) {
  RunOverRecords(state, "upper(Noteboard)");
}
BENCHMARK(BM_UpperNoteboard)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AlarmAndCreatedFilter(benchmark::State& state) {
  RunOverRecords(state, "ALARMACT == \"Y\" .AND. DTOS(DATECREATE) > \"20240101\"");
}
BENCHMARK(BM_AlarmAndCreatedFilter)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
