// The index semaphore between real processes: a forked child opens the same
// shared table and logs in, and the two sides take turns over pipes.
#include <gtest/gtest.h>

#include <functional>

#include "common/error_state.h"
#include "engine/table/lock.h"
#include "engine/table/work_areas.h"
#include "index_semaphore_test_support.h"
#include "support/forked_child.h"

namespace pw::testing {
namespace {

using Action = SemaphoreAction;

// Exit statuses of the children: 0 when every step went as expected.
constexpr int kOpenFailed = 10;
constexpr int kLoginFailed = 11;
constexpr int kStepFailed = 12;
constexpr int kWrongText = 13;

using IndexSemaphoreProcessTest = IndexSemaphoreTest;

TEST_F(IndexSemaphoreProcessTest, TwoProgramsCountTwoLoginsAndTheLastOutDeletesTheFile) {
  test::ForkedChild child([this](test::ChildLink& self) {
    auto semaphore = LoginIn(1);
    if (!semaphore) return kLoginFailed;
    self.Report('I');
    self.WaitForParent();
    if (Act(1, semaphore, Action::kLogout) != 0) return kStepFailed;
    self.Report('O');
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 'I');
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_EQ(OnDisk().logins, 2);

  child.Continue();
  ASSERT_EQ(child.NextReport(), 'O');
  EXPECT_EQ(child.Finish(), 0);
  EXPECT_EQ(OnDisk().logins, 1);
  EXPECT_EQ(Act(1, semaphore, Action::kLogout), 0) << Detail();
  EXPECT_FALSE(SemaphoreFilePresent());
}

TEST_F(IndexSemaphoreProcessTest, WriterWaitsUntilTheReaderOfAnotherProgramLeaves) {
  auto reader = LoginIn(1);
  ASSERT_NE(reader, nullptr);
  ASSERT_EQ(Act(1, reader, Action::kIncRead), 0) << Detail();
  EXPECT_EQ(OnDisk().readers, 1);

  test::ForkedChild child([this](test::ChildLink& self) {
    auto writer = LoginIn(1);
    if (!writer) return kLoginFailed;
    bool told = false;
    IndexSemaphoreSettings().writerWaiting = [&self, &told] {
      if (!told) self.Report('B');
      told = true;
    };
    if (Act(1, writer, Action::kLockSemaphore) != 0) return kStepFailed;
    self.Report('W');
    self.WaitForParent();
    if (Act(1, writer, Action::kUnlockSemaphore) != 0) return kStepFailed;
    self.Report('U');
    self.WaitForParent();
    return Act(1, writer, Action::kLogout) == 0 ? 0 : kStepFailed;
  });
  // The writer has found the index busy and keeps waiting for the reader.
  ASSERT_EQ(child.NextReport(), 'B');
  EXPECT_EQ(OnDisk().readers, 1);
  ASSERT_EQ(Act(1, reader, Action::kDecRead), 0) << Detail();

  ASSERT_EQ(child.NextReport(), 'W');
  EXPECT_EQ(OnDisk().readers, 1);  // now the writer's mark
  child.Continue();
  ASSERT_EQ(child.NextReport(), 'U');
  EXPECT_EQ(OnDisk().readers, 0);
  EXPECT_EQ(OnDisk().updateCounter, 1);
  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(IndexSemaphoreProcessTest, WriterReportsTheTimeoutWhenTheReaderNeverLeaves) {
  auto reader = LoginIn(1);
  ASSERT_NE(reader, nullptr);
  ASSERT_TRUE(reader->SetRead(true)) << Detail();

  test::ForkedChild child([this](test::ChildLink&) {
    auto writer = LoginIn(1);
    if (!writer) return kLoginFailed;
    IndexSemaphoreSettings().writerTimeoutSeconds = 1;
    if (writer->SetLock(true)) return kStepFailed;
    if (EngineErrorCode() != 1202) return kStepFailed;
    const std::string expected =
        "1 second timeout, cannot read: " + semaphorePath_ +
        "\r\nPossible cause: Other user's program has terminated abnormally.\r\n"
        "Cure: Log all users of this application off the network,\r\nthen delete " +
        semaphorePath_;
    if (TakeDetailText() != expected) return kWrongText;
    if (writer->LockHeld()) return kStepFailed;
    return writer->SetLock(false) ? 0 : kStepFailed;
  });
  EXPECT_EQ(child.Finish(), 0);
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_EQ(OnDisk().updateCounter, 0);
}

TEST_F(IndexSemaphoreProcessTest, ChangeByAnotherProgramsWriterIsSeenOnce) {
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);

  test::ForkedChild child([this](test::ChildLink& self) {
    auto writer = LoginIn(1);
    if (!writer) return kLoginFailed;
    if (!writer->SetLock(true) || !writer->SetLock(false)) return kStepFailed;
    // The writer's own change is not news to it.
    if (writer->ChangedSinceSeen()) return kStepFailed;
    if (!writer->SetRead(true) || writer->ChangedSinceSeen()) return kStepFailed;
    if (!writer->SetRead(false)) return kStepFailed;
    self.Report('C');
    self.WaitForParent();
    return Act(1, writer, Action::kLogout) == 0 ? 0 : kStepFailed;
  });
  ASSERT_EQ(child.NextReport(), 'C');

  ASSERT_TRUE(semaphore->SetRead(true)) << Detail();
  EXPECT_TRUE(semaphore->ChangedSinceSeen());
  semaphore->MarkSeen();
  EXPECT_TRUE(semaphore->SetRead(false));
  ASSERT_TRUE(semaphore->SetRead(true)) << Detail();
  EXPECT_FALSE(semaphore->ChangedSinceSeen());
  EXPECT_TRUE(semaphore->SetRead(false));
  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(IndexSemaphoreProcessTest, ReaderGivesUpWhileAnotherProgramsWriterHoldsTheLock) {
  auto reader = LoginIn(1);
  ASSERT_NE(reader, nullptr);
  test::ForkedChild child([this](test::ChildLink& self) {
    auto writer = LoginIn(1);
    if (!writer) return kLoginFailed;
    if (!writer->SetLock(true)) return kStepFailed;
    self.Report('W');
    self.WaitForParent();
    if (!writer->SetLock(false)) return kStepFailed;
    self.Report('U');
    self.WaitForParent();
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 'W');
  IndexSemaphoreSettings().lockAttempts = 3;
  IndexSemaphoreSettings().lockRetryWaitMs = 1;
  EXPECT_FALSE(reader->SetRead(true));
  EXPECT_EQ(EngineErrorCode(), 1202);
  // The failed level still counts; its DECREAD has no reader count to give back.
  EXPECT_TRUE(reader->SetRead(false));
  EXPECT_EQ(OnDisk().readers, 1);

  child.Continue();
  ASSERT_EQ(child.NextReport(), 'U');
  EXPECT_TRUE(reader->SetRead(true)) << Detail();
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_TRUE(reader->ChangedSinceSeen());
  EXPECT_TRUE(reader->SetRead(false));
  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(IndexSemaphoreProcessTest, WriterWaitsWithoutLockingWhileAnotherProgramsWriterHoldsIt) {
  auto writer = LoginIn(1);
  ASSERT_NE(writer, nullptr);
  test::ForkedChild child([this](test::ChildLink& self) {
    auto first = LoginIn(1);
    if (!first) return kLoginFailed;
    if (!first->SetLock(true)) return kStepFailed;
    self.Report('W');
    self.WaitForParent();
    if (!first->SetLock(false)) return kStepFailed;
    self.Report('U');
    self.WaitForParent();
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 'W');
  // Too few lock attempts to outlast the other writer: the waiting has to
  // happen in the reads that find the record locked.
  IndexSemaphoreSettings().lockAttempts = 2;
  IndexSemaphoreSettings().lockRetryWaitMs = 1;
  bool released = false;
  IndexSemaphoreSettings().writerWaiting = [&child, &released] {
    if (released) return;
    released = true;
    child.Continue();
    child.NextReport();
  };
  EXPECT_TRUE(writer->SetLock(true)) << Detail();
  EXPECT_TRUE(released);
  EXPECT_EQ(OnDisk().updateCounter, 1);  // the other writer's change
  EXPECT_TRUE(writer->SetLock(false));
  EXPECT_EQ(OnDisk().updateCounter, 2);
  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(IndexSemaphoreProcessTest, ProgramEndingWithoutLogoutLeavesItsLoginInTheFile) {
  test::ForkedChild child([this](test::ChildLink&) {
    auto semaphore = LoginIn(1);
    return semaphore ? 0 : kLoginFailed;
  });
  ASSERT_EQ(child.Finish(), 0);
  EXPECT_EQ(OnDisk().logins, 1);
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_EQ(OnDisk().logins, 2);
}

TEST_F(IndexSemaphoreProcessTest, LoginWaitsForTheTableLockByteOfAnotherProgram) {
  test::ForkedChild child([this](test::ChildLink& self) {
    if (!OpenIn(1) || !LockTableByte()) return kOpenFailed;
    self.Report('T');
    self.WaitForParent();
    UnlockTableByte();
    self.Report('R');
    self.WaitForParent();
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 'T');
  IndexSemaphoreSettings().lockAttempts = 2;
  IndexSemaphoreSettings().lockRetryWaitMs = 1;
  ASSERT_TRUE(OpenIn(1));
  std::unique_ptr<IndexSemaphore> semaphore;
  EXPECT_EQ(Act(1, semaphore, Action::kLogin), 1202);
  EXPECT_EQ(Detail(),
            "Cannot lock database for: " + semaphorePath_ + " Action=LOGIN [Database Semaphore]");

  child.Continue();
  ASSERT_EQ(child.NextReport(), 'R');
  EXPECT_EQ(Act(1, semaphore, Action::kLogin), 0) << Detail();
  EXPECT_EQ(OnDisk().logins, 1);
  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
}

// A program killed while it reads or writes leaves its count in byte 1; the
// next writer, logged in before or after, must not wait for it. A timeout of
// one second makes a writer that waits fail.
class IndexSemaphoreKillTest : public IndexSemaphoreTest {
 protected:
  // A child that logs in, takes the read or the write semaphore, reports 'H'
  // and waits; let go, it releases it, reports 'D' and waits again.
  std::function<int(test::ChildLink&)> Holder(bool reading) {
    return [this, reading](test::ChildLink& self) {
      auto semaphore = LoginIn(1);
      const auto hold = [&](bool on) {
        return reading ? semaphore->SetRead(on) : semaphore->SetLock(on);
      };
      if (!semaphore || !hold(true)) return kStepFailed;
      self.Report('H');
      self.WaitForParent();
      if (!hold(false)) return kStepFailed;
      self.Report('D');
      self.WaitForParent();
      return 0;
    };
  }
};

TEST_F(IndexSemaphoreKillTest, WriterKilledWhileHoldingTheIndexBlocksNoLaterWriter) {
  auto writer = LoginIn(1);
  ASSERT_NE(writer, nullptr);
  test::ForkedChild killed(Holder(false));
  ASSERT_EQ(killed.NextReport(), 'H');
  killed.Kill();
  ASSERT_EQ(OnDisk().readers, 1) << "the killed writer's mark is left";

  IndexSemaphoreSettings().writerTimeoutSeconds = 1;
  EXPECT_TRUE(writer->SetLock(true)) << Detail();
  EXPECT_TRUE(writer->SetLock(false)) << Detail();
  EXPECT_EQ(OnDisk().readers, 0);
  EXPECT_EQ(OnDisk().updateCounter, 1);

  // A program that logs in afterwards: kept out by a live reader only.
  const auto nextWriter = [this](test::ChildLink&) {
    auto next = LoginIn(1);
    IndexSemaphoreSettings().writerTimeoutSeconds = 1;
    return next && next->SetLock(true) && next->SetLock(false) ? 0 : kStepFailed;
  };
  ASSERT_TRUE(writer->SetRead(true));
  test::ForkedChild late(nextWriter);
  EXPECT_EQ(late.Finish(), kStepFailed);
  ASSERT_TRUE(writer->SetRead(false));
  test::ForkedChild later(nextWriter);
  EXPECT_EQ(later.Finish(), 0);
}

TEST_F(IndexSemaphoreKillTest, ReaderKilledWhileReadingIsNotWaitedForButALiveOneIs) {
  test::ForkedChild killed(Holder(true));
  ASSERT_EQ(killed.NextReport(), 'H');
  test::ForkedChild live(Holder(true));
  ASSERT_EQ(live.NextReport(), 'H');
  killed.Kill();
  ASSERT_EQ(OnDisk().readers, 2);

  auto writer = LoginIn(1);
  ASSERT_NE(writer, nullptr);
  IndexSemaphoreSettings().writerTimeoutSeconds = 1;
  EXPECT_FALSE(writer->SetLock(true));
  EXPECT_EQ(EngineErrorCode(), 1202);
  EXPECT_TRUE(writer->SetLock(false));

  live.Continue();
  ASSERT_EQ(live.NextReport(), 'D');
  EXPECT_EQ(OnDisk().readers, 1) << "the killed reader's count is left";
  EXPECT_TRUE(writer->SetLock(true)) << Detail();
  EXPECT_TRUE(writer->SetLock(false)) << Detail();
  EXPECT_EQ(OnDisk().readers, 0);
  live.Continue();
  EXPECT_EQ(live.Finish(), 0);
}

}  // namespace
}  // namespace pw::testing
