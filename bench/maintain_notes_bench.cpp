// The Notes & Reminders window over 5,000 notes: how long it takes to open
// (views, pages, first paint of the grid) and to scroll the grid by a page.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QScrollBar>
#include <memory>

#include "app/maintain/maintain_notes.h"
#include "app/maintain/maintain_notes_host.h"
#include "app/record/note_record.h"
#include "dataset/dbf_table.h"
#include "grid/data_grid.h"
#include "support/note_table.h"

namespace pw::bench {
namespace {

constexpr int kNotes = 5000;

// The controller's part: a data folder and its templates table.
class BenchHost : public MaintainNotesHost {
 public:
  explicit BenchHost(const QString& folder) : folder_(folder) {
    ConfigureNoteTable(defaults_, TemplateTableFieldLines());
    defaults_.SetDbfFileName(folder_ + "defaults.dbf");
    defaults_.Open();
  }
  const QString& DataFolder() const override { return folder_; }
  DbfTable& TemplatesTable() override { return defaults_; }
  bool CopyNoteToTrashFrom(DbfTable&) override { return false; }
  void ShowNoteOfRecord(std::int32_t) override {}
  void onImportNotes(QWidget*) override {}

 private:
  QString folder_;
  DbfTable defaults_;
};

// 5,000 notes in a notes table of the program's layout.
struct NoteDesk {
  NoteDesk() {
    CreateNoteTable(folder);
    OpenNoteTable(folder, 1, true);
    for (int i = 1; i <= kNotes; ++i) AppendNote(i, false);
    CloseAll();
    const std::string path = folder.Table();
    host = std::make_unique<BenchHost>(
        QString::fromStdString(path.substr(0, path.size() - std::string("notes.dbf").size())));
  }
  ScratchFolder folder;
  std::unique_ptr<BenchHost> host;
};

NoteDesk& Desk() {
  static NoteDesk desk;
  return desk;
}

void BM_OpenNotesAndReminders(benchmark::State& state) {
  NoteDesk& desk = Desk();
  for (auto _ : state) {
    NotesManagerWindow window(*desk.host);
    window.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.grab());
  }
  state.counters["notes"] = kNotes;
}
BENCHMARK(BM_OpenNotesAndReminders)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ScrollNotesGridByAPage(benchmark::State& state) {
  NoteDesk& desk = Desk();
  NotesManagerWindow window(*desk.host);
  window.resize(800, 600);
  window.show();
  QCoreApplication::processEvents();
  DataGrid& grid = *window.NotesGrid();
  QScrollBar* bar = grid.verticalScrollBar();
  for (auto _ : state) {
    const int next = bar->value() + bar->pageStep();
    bar->setValue(next > bar->maximum() ? 0 : next);
    benchmark::DoNotOptimize(grid.viewport()->grab());
  }
  state.counters["rows"] = grid.model()->rowCount();
}
BENCHMARK(BM_ScrollNotesGridByAPage)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pw::bench
