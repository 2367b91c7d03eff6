// The CalDAV sync against a local radicale: the first sync of 1,000 notes
// (each with its RTF memo) into an empty collection, and the sync after
// one note changed. Wall-clock; the server is part of what is measured.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>

#include "sync/memory_note_store.h"
#include "sync/radicale_server.h"
#include "sync/sync_engine.h"
#include "sync/sync_state.h"

namespace pw::test {
namespace {

constexpr int kNotes = 1000;

RadicaleServer& Server() {
  static RadicaleServer server;
  static const QString problem = server.Start();
  if (!problem.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(problem));
  return server;
}

struct Machine {
  explicit Machine(const QUrl& url) : collection(url) {
    for (int i = 0; i < kNotes; ++i)
      store.Add(QString("Note %1").arg(i),
                QString("The text of note %1, a line or two long.").arg(i));
  }
  bool Sync() {
    DavClient client(RadicaleServer::kUser, RadicaleServer::kPassword);
    return SyncEngine(client, store, dir.filePath(SyncState::kFileName)).Run(collection).ok;
  }
  QUrl collection;
  MemoryNoteStore store;
  QTemporaryDir dir;
};

int collections = 0;

void BM_FirstSync(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Machine machine(Server().MakeCollection(QString("first%1").arg(++collections)));
    state.ResumeTiming();
    if (!machine.Sync()) state.SkipWithError("sync failed");
  }
  state.SetItemsProcessed(state.iterations() * kNotes);
}
BENCHMARK(BM_FirstSync)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OneChangedNote(benchmark::State& state) {
  Machine machine(Server().MakeCollection(QString("incremental%1").arg(++collections)));
  if (!machine.Sync()) state.SkipWithError("first sync failed");
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    SyncNote& note = machine.store.notes.begin()->second;
    note.caption = QString("Changed %1").arg(++round);
    state.ResumeTiming();
    if (!machine.Sync()) state.SkipWithError("sync failed");
  }
}
BENCHMARK(BM_OneChangedNote)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pw::test
