// Termination signals reach the program as a Qt signal from its event loop,
// and the default handling comes back when the watcher goes.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <csignal>

#include "desktop/termination_signal.h"

namespace pw {
namespace {

bool HandlerIsDefault(int signalNumber) {
  struct sigaction current {};
  sigaction(signalNumber, nullptr, &current);
  return current.sa_handler == SIG_DFL;
}

TEST(TerminationSignalTest, EachSignalArrivesThroughTheEventLoop) {
  TerminationSignalWatcher watcher;
  ASSERT_TRUE(watcher.Installed());
  QSignalSpy spy(&watcher, &TerminationSignalWatcher::terminationRequested);
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
    EXPECT_FALSE(HandlerIsDefault(signalNumber));
    ASSERT_EQ(std::raise(signalNumber), 0);
  }
  // Nothing is emitted inside the handler itself.
  EXPECT_EQ(spy.count(), 0);
  while (spy.count() < 3 && spy.wait(5000)) {
  }
  ASSERT_EQ(spy.count(), 3);
  EXPECT_EQ(spy[0][0].toInt(), SIGTERM);
  EXPECT_EQ(spy[1][0].toInt(), SIGINT);
  EXPECT_EQ(spy[2][0].toInt(), SIGHUP);
}

TEST(TerminationSignalTest, TheDefaultHandlingReturnsWithTheWatcher) {
  { TerminationSignalWatcher watcher; }
  for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) EXPECT_TRUE(HandlerIsDefault(signalNumber));
}

}  // namespace
}  // namespace pw
