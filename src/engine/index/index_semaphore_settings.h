// Timing of the index semaphore. The defaults are the ones every program
// sharing a table relies on; tests shorten them.
#pragma once

#include <functional>

namespace pw {

struct SemaphoreSettings {
  // Attempts on the semaphore file's lock and on the table's lock byte, with
  // a wait after each failure (together about 10 seconds).
  int lockAttempts = 1001;
  int lockRetryWaitMs = 10;
  // How long a writer waits for the readers and another writer to leave.
  int writerTimeoutSeconds = 100;
  // The writer's pause between two looks at the record.
  int writerPollMs = 1;
  // Pause after opening an existing semaphore file, before its record is read.
  int openPauseMs = 5;
  // Called on every round in which a writer finds the index busy (the record
  // locked by another program, or readers or another writer in byte 1), so
  // that a program can show that it is waiting.
  std::function<void()> writerWaiting;
};

SemaphoreSettings& IndexSemaphoreSettings();

}  // namespace pw
