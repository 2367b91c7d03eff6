// Saving a note while typing, in the program's controller over a notes table
// of 200 notes (a memo each, every tag open): the time from a key typed into
// a shown note to its record written by the autosave, beside the save itself
// (the same write, started at once) as its peer.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <memory>

#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "dataset/dbf_table.h"
#include "richtext/note_editor.h"

namespace pw::bench {
namespace {

constexpr int kNotes = 200;

struct TypingDesk {
  TypingDesk() {
    controller = std::make_unique<NotesController>(QDir(folder.path()).absolutePath() + '/');
    controller->SetScreenSize({1024, 768});
    controller->FormCreate();
    controller->onStartupTimeout();
    for (int i = 0; i < kNotes; ++i) note = controller->NewNoteFromTemplate(1);
    note->UpdateNote();
    note->show();
  }
  void Type(QChar letter) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(letter));
    QCoreApplication::sendEvent(note->Editor(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(letter));
    QCoreApplication::sendEvent(note->Editor(), &release);
  }
  QTemporaryDir folder;
  std::unique_ptr<NotesController> controller;
  NoteWindow* note = nullptr;
};

TypingDesk& Desk() {
  static TypingDesk desk;
  return desk;
}

void BM_KeyToRecordWritten(benchmark::State& state) {
  TypingDesk& desk = Desk();
  for (auto _ : state) {
    desk.Type(u'a');
    while (desk.note->SavePending()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  state.counters["autosave_delay_ms"] = NoteWindow::kAutosaveDelayMs;
}
BENCHMARK(BM_KeyToRecordWritten)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_SaveAlone(benchmark::State& state) {
  TypingDesk& desk = Desk();
  for (auto _ : state) {
    desk.Type(u'b');
    desk.note->SaveRecordNow();
  }
}
BENCHMARK(BM_SaveAlone)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pw::bench
