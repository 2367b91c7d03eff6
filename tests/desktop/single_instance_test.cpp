// Starts the guard in real processes (the probe program): each waits for
// the other through its output, never for a time.
#include <signal.h>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QProcess>

#include "support/temp_dir.h"

namespace pw {
namespace {

constexpr int kWaitMs = 30000;

class Probe {
 public:
  explicit Probe(const std::string& runtimeFolder, const QStringList& command = {}) {
    process_.setProgram(QStringLiteral(SINGLE_INSTANCE_PROBE));
    process_.setArguments(QStringList{QString::fromStdString(runtimeFolder)} + command);
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
  EXPECT_EQ(second.NextLine(), QStringLiteral("handed-over 0"));
  EXPECT_EQ(second.ExitCode(), 0);
  EXPECT_EQ(first.NextLine(), QStringLiteral("request"));
  Probe third(runtime.path());
  EXPECT_EQ(third.NextLine(), QStringLiteral("handed-over 0"));
  EXPECT_EQ(first.NextLine(), QStringLiteral("request"));
}

TEST(SingleInstanceTest, SecondStartHandsItsCommandOverAndGetsTheAnswer) {
  test::TempDir runtime;
  Probe first(runtime.path());
  ASSERT_EQ(first.NextLine(), QStringLiteral("running"));
  // Texts with line ends and letters beyond ASCII arrive as they were.
  Probe second(runtime.path(), {"--new", "milk\neggs \xC3\xA9"});
  EXPECT_EQ(first.NextLine(), QStringLiteral("request --new|milk"));
  EXPECT_EQ(first.NextLine(), QString::fromUtf8("eggs \xC3\xA9"));
  EXPECT_EQ(second.NextLine(), QStringLiteral("handed-over 0 --new+milk"));
  EXPECT_EQ(second.NextLine(), QString::fromUtf8("eggs \xC3\xA9"));
  EXPECT_EQ(second.ExitCode(), 0);
  Probe refused(runtime.path(), {"refuse"});
  EXPECT_EQ(first.NextLine(), QStringLiteral("request refuse"));
  EXPECT_EQ(refused.NextLine(), QStringLiteral("handed-over 3 refused"));
}

TEST(SingleInstanceTest, APeerSpeakingAnythingElseIsCutOffAndTheNextStartStillAnswered) {
  test::TempDir runtime;
  Probe first(runtime.path());
  ASSERT_EQ(first.NextLine(), QStringLiteral("running"));
  QLocalSocket stranger;
  stranger.connectToServer(QString::fromStdString(runtime.path()) + "/Paperwisp-" +
                           QString::fromLocal8Bit(getpwuid(getuid())->pw_name));
  ASSERT_TRUE(stranger.waitForConnected(kWaitMs));
  stranger.write("activate\n");
  ASSERT_TRUE(stranger.waitForBytesWritten(kWaitMs));
  EXPECT_TRUE(stranger.state() == QLocalSocket::UnconnectedState ||
              stranger.waitForDisconnected(kWaitMs));
  Probe second(runtime.path(), {"--show-all"});
  EXPECT_EQ(second.NextLine(), QStringLiteral("handed-over 0 --show-all"));
  EXPECT_EQ(first.NextLine(), QStringLiteral("request --show-all"));
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
  EXPECT_EQ(later.NextLine(), QStringLiteral("handed-over 0"));
  EXPECT_EQ(next.NextLine(), QStringLiteral("request"));
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
