#include "desktop/termination_signal.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace pw {

namespace {

constexpr int kWatchedSignals[] = {SIGTERM, SIGINT, SIGHUP};

// [0] is written by the handler, [1] read by the event loop.
int signalPipe[2] = {-1, -1};

void OnSignal(int signalNumber) {
  // Only async-signal-safe calls here: one byte into the pipe.
  const int savedErrno = errno;
  const char byte = static_cast<char>(signalNumber);
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
  errno = savedErrno;
}

}  // namespace

TerminationSignalWatcher::TerminationSignalWatcher(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) {
    signalPipe[0] = signalPipe[1] = -1;
    return;
  }
  notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this,
          &TerminationSignalWatcher::ReadPendingSignals);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signalNumber : kWatchedSignals) sigaction(signalNumber, &action, nullptr);
}

TerminationSignalWatcher::~TerminationSignalWatcher() {
  if (!Installed()) return;
  for (int signalNumber : kWatchedSignals) std::signal(signalNumber, SIG_DFL);
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignalWatcher::ReadPendingSignals() {
  char byte = 0;
  while (::read(signalPipe[1], &byte, 1) == 1) emit terminationRequested(byte);
}

}  // namespace pw
