// The sync of the running program: a first sync shortly after the start,
// then one every few minutes, "Sync Now" and `paperwisp --sync` at once.
// A failed sync is tried again after a growing pause; the notes stay as
// they are meanwhile and the last result says why.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include "app/command_line_options.h"
#include "sync/sync_engine.h"

namespace pw {

class NotesController;

class NotesSync : public QObject {
  Q_OBJECT

 public:
  static constexpr int kFirstSyncDelayMs = 5000;
  static constexpr int kIntervalMs = 5 * 60 * 1000;

  explicit NotesSync(NotesController& controller);

  // Runs one sync now, unless one runs already or nothing is configured.
  SyncResult SyncNow();
  // The pause before the next try after `failures` failed syncs in a row:
  // 30 s, doubled each time, at most the regular interval.
  static int RetryDelayMs(int failures);

 signals:
  void finished(const QString& result);

 private:
  void Schedule(int delayMs);

  NotesController& controller_;
  QTimer timer_;
  bool running_ = false;
  int failures_ = 0;
};

// `paperwisp --sync`.
CommandResult SyncNotesCommand(NotesController& notesMain, const QString& text);

}  // namespace pw
