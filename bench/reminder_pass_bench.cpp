// The minute pass of the controller (expiry pass, then reminder pass) on a
// notes table of 10,000 notes, wall-clock: without any reminder or expiry
// the passes only seek their flag in two tags; with 1,000 active reminders,
// none due, the reminder pass reads and tests each of them.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "app/controller/notes_main.h"
#include "app/record/note_values.h"
#include "common/error_state.h"
#include "dataset/dbf_table.h"

namespace {

constexpr int kNotes = 10000;

// A started controller on a data folder of its own holding `notes` notes,
// the first `reminders` of them with a one-time reminder on a past day.
class FilledController {
 public:
  FilledController(int notes, int reminders) {
    if (!folder_.isValid()) throw std::runtime_error("no temporary folder");
    pw::SetAutoDispatch(false);
    controller_ = std::make_unique<pw::NotesController>(folder_.path());
    controller_->FormCreate();
    controller_->onStartupTimeout();
    pw::DbfTable& table = controller_->NotesTable();
    const QString pastDay = pw::DateText(QDate::currentDate().addDays(-30));
    for (int i = 0; i < notes; ++i) {
      table.ClearRecord();
      table.SetFieldStr("SHOWING", "N");
      table.SetFieldStr("EXPIRES", "N");
      table.SetFieldStr("ALARMACT", i < reminders ? "Y" : "N");
      table.SetFieldDate("ALARMDATE", pastDay);
      table.SetFieldStr("ALARMTIME", "9:0");
      if (!table.ALock()) throw std::runtime_error("ALock refused");
      table.AppendRec();
      table.UnLock();
      if (pw::DbfTable::LastError() != 0) throw std::runtime_error("AppendRec failed");
    }
  }
  ~FilledController() { controller_->FormCloseQuery(); }

  pw::NotesController& controller() { return *controller_; }

 private:
  QTemporaryDir folder_;
  std::unique_ptr<pw::NotesController> controller_;
};

void BM_MinutePass(benchmark::State& state) {
  FilledController filled(kNotes, static_cast<int>(state.range(0)));
  for (auto _ : state) filled.controller().onMinuteTimeout();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MinutePass)
    ->ArgName("reminders")
    ->Arg(0)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace
