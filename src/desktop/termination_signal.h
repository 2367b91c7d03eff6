// Turns SIGTERM, SIGINT and SIGHUP (a system shutdown without a session
// manager, `kill`, Ctrl+C in a terminal, a closed terminal) into a Qt signal
// delivered by the event loop, so that the program can save its notes and
// end cleanly instead of dying mid-session.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace pw {

class TerminationSignalWatcher : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers; one watcher per process. False (and no handlers)
  // when the notification pipe cannot be made.
  explicit TerminationSignalWatcher(QObject* parent = nullptr);
  ~TerminationSignalWatcher() override;

  bool Installed() const { return notifier_ != nullptr; }

 signals:
  // One of the signals arrived; `signalNumber` tells which.
  void terminationRequested(int signalNumber);

 private:
  void ReadPendingSignals();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace pw
