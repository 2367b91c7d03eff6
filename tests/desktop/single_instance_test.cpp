// Starts the guard in real processes (the probe program): each waits for
// the other through its output, never for a time.
#include <signal.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include "support/temp_dir.h"

namespace pw {
namespace {

constexpr int kWaitMs = 30000;

class Probe {
 public:
  explicit Probe(const std::string& runtimeFolder) {
    process_.setProgram(QStringLiteral(SINGLE_INSTANCE_PROBE));
    process_.setArguments({QString::fromStdString(runtimeFolder)});
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
  }
  ~Probe() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(kWaitMs);
    }
  }

  // The next line the probe says, without its line end; empty when it ends
  // without one.
  QString NextLine() {
    while (!process_.canReadLine()) {
      if (!process_.waitForReadyRead(kWaitMs)) return QString();
    }
    return QString::fromUtf8(process_.readLine()).trimmed();
  }
  // Exit code after the probe ended by itself; -1 when it did not end.
  int ExitCode() {
    if (!process_.waitForFinished(kWaitMs)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }
  // Ends a running probe in order (its standard input closes).
  int Quit() {
    process_.closeWriteChannel();
    return ExitCode();
  }
  // Ends it as a crash would: SIGKILL, nothing cleaned up.
  void Kill() {
    process_.kill();
    process_.waitForFinished(kWaitMs);
  }

 private:
  QProcess process_;
};

TEST(SingleInstanceTest, SecondStartBringsTheFirstForwardAndEnds) {
  test::TempDir runtime;
  Probe first(runtime.path());
  ASSERT_EQ(first.NextLine(), QStringLiteral("running"));
  Probe second(runtime.path());
  EXPECT_EQ(second.NextLine(), QStringLiteral("handed-over"));
  EXPECT_EQ(second.ExitCode(), 0);
  EXPECT_EQ(first.NextLine(), QStringLiteral("activated"));
  Probe third(runtime.path());
  EXPECT_EQ(third.NextLine(), QStringLiteral("handed-over"));
  EXPECT_EQ(first.NextLine(), QStringLiteral("activated"));
}

TEST(SingleInstanceTest, StartAfterAnOrderlyEndRunsAndLeavesNothingBehind) {
  test::TempDir runtime;
  {
    Probe first(runtime.path());
    ASSERT_EQ(first.NextLine(), QStringLiteral("running"));
    EXPECT_FALSE(QDir(QString::fromStdString(runtime.path())).isEmpty());
    EXPECT_EQ(first.Quit(), 0);
  }
  EXPECT_TRUE(QDir(QString::fromStdString(runtime.path()))
                  .isEmpty(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot));
  Probe next(runtime.path());
  EXPECT_EQ(next.NextLine(), QStringLiteral("running"));
}

TEST(SingleInstanceTest, KilledFirstCopyDoesNotLockTheUserOut) {
  test::TempDir runtime;
  {
    Probe first(runtime.path());
    ASSERT_EQ(first.NextLine(), QStringLiteral("running"));
    first.Kill();
  }
  // The killed copy left its lock file and socket behind.
  EXPECT_FALSE(QDir(QString::fromStdString(runtime.path()))
                   .isEmpty(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot));
  Probe next(runtime.path());
  ASSERT_EQ(next.NextLine(), QStringLiteral("running"));
  Probe later(runtime.path());
  EXPECT_EQ(later.NextLine(), QStringLiteral("handed-over"));
  EXPECT_EQ(next.NextLine(), QStringLiteral("activated"));
}

TEST(SingleInstanceTest, CopiesOfOtherRuntimeFoldersDoNotMeet) {
  test::TempDir one;
  test::TempDir two;
  Probe first(one.path());
  ASSERT_EQ(first.NextLine(), QStringLiteral("running"));
  Probe other(two.path());
  EXPECT_EQ(other.NextLine(), QStringLiteral("running"));
}

}  // namespace
}  // namespace pw
