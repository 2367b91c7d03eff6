// The index semaphore inside one program: the file and its record, LOGIN and
// LOGOUT, the nesting of the reader and writer procedures, and the reports.
// Two work areas of one program are two opens of the semaphore file, which
// count and lock against each other as two programs do.
#include <sys/time.h>

#include <gtest/gtest.h>

#include <ctime>

#include "common/error_state.h"
#include "engine/table/engine_settings.h"
#include "engine/table/lock.h"
#include "engine/table/work_areas.h"
#include "index_semaphore_test_support.h"

namespace pw::testing {
namespace {

using Action = SemaphoreAction;

TEST(IndexSemaphoreFormat, FileNameReplacesTheTablesExtension) {
  EXPECT_EQ(SemaphoreFileName("/data/notes.dbf"), "/data/notes.@S@");
  EXPECT_EQ(SemaphoreFileName("/data.old/NOTES"), "/data.old/NOTES.@S@");
  EXPECT_EQ(SemaphoreFileName("notes.x.dbf"), "notes.x.@S@");
}

TEST(IndexSemaphoreFormat, RecordHoldsLoginsReadersAndALittleEndianCounter) {
  const SemaphoreRecordBytes bytes = EncodeSemaphoreRecord({2, 1, 0x1234});
  EXPECT_EQ(bytes, (SemaphoreRecordBytes{2, 1, 0x34, 0x12}));
  const SemaphoreRecord record = DecodeSemaphoreRecord({5, 127, 0xFE, 0xFF});
  EXPECT_EQ(record.logins, 5);
  EXPECT_EQ(record.readers, 127);
  EXPECT_EQ(record.updateCounter, 65534);
}

TEST(IndexSemaphoreFormat, UpdateCounterContinuesAtZeroAfter65534) {
  EXPECT_EQ(NextUpdateCounter(0), 1);
  EXPECT_EQ(NextUpdateCounter(65533), 65534);
  EXPECT_EQ(NextUpdateCounter(65534), 0);
}

TEST(IndexSemaphoreFormat, ActionsAreNamedForMessages) {
  EXPECT_STREQ(SemaphoreActionName(Action::kLogin), "LOGIN");
  EXPECT_STREQ(SemaphoreActionName(Action::kLogout), "LOGOUT");
  EXPECT_STREQ(SemaphoreActionName(Action::kIncRead), "INCREAD");
  EXPECT_STREQ(SemaphoreActionName(Action::kDecRead), "DECREAD");
  EXPECT_STREQ(SemaphoreActionName(Action::kLockSemaphore), "LOCKSEMAPHORE");
  EXPECT_STREQ(SemaphoreActionName(Action::kUnlockSemaphore), "UNLOCKSEMAPHORE");
}

TEST_F(IndexSemaphoreTest, LoginCreatesTheFileAndTheLastLogoutDeletesIt) {
  auto first = LoginIn(1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->FileName(), semaphorePath_);
  EXPECT_EQ(OnDisk().logins, 1);
  auto second = LoginIn(2);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(OnDisk().logins, 2);

  EXPECT_EQ(Act(2, second, Action::kLogout), 0) << Detail();
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(OnDisk().logins, 1);
  EXPECT_EQ(Act(1, first, Action::kLogout), 0) << Detail();
  EXPECT_FALSE(SemaphoreFilePresent());
}

TEST_F(IndexSemaphoreTest, ExclusiveTableHasNoSemaphoreFileAndSkipsEveryAction) {
  ASSERT_TRUE(OpenIn(1, "EXCLUSIVE")) << Detail();
  std::unique_ptr<IndexSemaphore> semaphore;
  EXPECT_EQ(Act(1, semaphore, Action::kLogin), 0);
  EXPECT_EQ(semaphore, nullptr);
  EXPECT_FALSE(SemaphoreFilePresent());
  // Without a semaphore even an unbalanced DECREAD has nothing to report.
  EXPECT_EQ(Act(1, semaphore, Action::kDecRead), 0);
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(IndexSemaphoreTest, LoginOfAFileFromAnEarlierDayRecreatesItWithOneLogin) {
  WriteOnDisk({1, 3, 77});
  const std::time_t earlier = std::time(nullptr) - 2 * 24 * 60 * 60;
  const timeval times[2] = {{earlier, 0}, {earlier, 0}};
  ASSERT_EQ(utimes(semaphorePath_.c_str(), times), 0);

  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  const SemaphoreRecord record = OnDisk();
  EXPECT_EQ(record.logins, 1);
  EXPECT_EQ(record.readers, 0);
  EXPECT_EQ(record.updateCounter, 0);
}

TEST_F(IndexSemaphoreTest, LoginOfAFileFromTodayKeepsItsCounts) {
  WriteOnDisk({1, 0, 77});
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_EQ(OnDisk().logins, 2);
  EXPECT_EQ(OnDisk().updateCounter, 77);
  EXPECT_FALSE(semaphore->ChangedSinceSeen());
}

TEST_F(IndexSemaphoreTest, ReadProcedureNestsAndCountsOneReaderPerArea) {
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_TRUE(semaphore->SetRead(true));
  EXPECT_TRUE(semaphore->SetRead(true));
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_TRUE(semaphore->SetRead(false));
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_TRUE(semaphore->SetRead(false));
  EXPECT_EQ(OnDisk().readers, 0);

  EXPECT_FALSE(semaphore->SetRead(false));
  EXPECT_EQ(EngineErrorCode(), 254);
  EXPECT_EQ(Detail(), "Non-symmetrical Lock-Unlock [SetReadSemaphoreProc]");
}

TEST_F(IndexSemaphoreTest, WriteProcedureNestsAndRaisesTheCounterOnceAtTheEnd) {
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_TRUE(semaphore->SetLock(true));
  EXPECT_TRUE(semaphore->SetLock(true));
  EXPECT_TRUE(semaphore->LockHeld());
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_TRUE(semaphore->SetLock(false));
  EXPECT_TRUE(semaphore->LockHeld());
  EXPECT_TRUE(semaphore->SetLock(false));
  EXPECT_FALSE(semaphore->LockHeld());
  EXPECT_EQ(OnDisk().readers, 0);
  EXPECT_EQ(OnDisk().updateCounter, 1);
  EXPECT_FALSE(semaphore->ChangedSinceSeen());

  EXPECT_FALSE(semaphore->SetLock(false));
  EXPECT_EQ(EngineErrorCode(), 254);
  EXPECT_EQ(Detail(), "Non-symmetrical Lock-Unlock [SetLockSemaphoreProc]");
}

TEST_F(IndexSemaphoreTest, WriterReadingItsOwnIndexIsNotCountedAsAReader) {
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  ASSERT_TRUE(semaphore->SetLock(true));
  EXPECT_TRUE(semaphore->SetRead(true));
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_TRUE(semaphore->SetRead(false));
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_TRUE(semaphore->SetLock(false));
  EXPECT_EQ(OnDisk().readers, 0);
}

TEST_F(IndexSemaphoreTest, UnlockingAfter65534StoresZero) {
  WriteOnDisk({0, 0, 65534});
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  ASSERT_EQ(Act(1, semaphore, Action::kLockSemaphore), 0) << Detail();
  ASSERT_EQ(Act(1, semaphore, Action::kUnlockSemaphore), 0) << Detail();
  EXPECT_EQ(OnDisk().updateCounter, 0);
  EXPECT_EQ(semaphore->Record().updateCounter, 0);
}

TEST_F(IndexSemaphoreTest, DecReadWithoutIncReadReportsUnbalancedNesting) {
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_EQ(Act(1, semaphore, Action::kDecRead), 254);
  EXPECT_EQ(Detail(),
            "Unbalanced IncRead/DecRead for semaphore file: " + semaphorePath_ + " DECREAD");
  // The nesting stays at 0: the next pair works as usual.
  EXPECT_EQ(Act(1, semaphore, Action::kIncRead), 0);
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_EQ(Act(1, semaphore, Action::kDecRead), 0);
  EXPECT_EQ(OnDisk().readers, 0);
}

TEST_F(IndexSemaphoreTest, UnlockWithoutLockReportsUnbalancedNesting) {
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_EQ(Act(1, semaphore, Action::kUnlockSemaphore), 254);
  EXPECT_EQ(Detail(),
            "Unbalanced Lock/Unlock for semaphore file: " + semaphorePath_ + " UNLOCKSEMAPHORE");
  EXPECT_EQ(OnDisk().updateCounter, 0);
}

TEST_F(IndexSemaphoreTest, AreaOutsideTheEnginesTableIsOutOfRange) {
  WorkArea stray;
  std::unique_ptr<IndexSemaphore> semaphore;
  EXPECT_EQ(HandleSemafore(stray, semaphore, Action::kLogin), 254);
  EXPECT_EQ(Detail(), "Work area [0 ] out of range. [HandleSemafore]");
  EXPECT_FALSE(SemaphoreFilePresent());
}

TEST_F(IndexSemaphoreTest, LoginInAnAreaWithoutATableReportsIt) {
  ASSERT_TRUE(Select(1));
  std::unique_ptr<IndexSemaphore> semaphore;
  EXPECT_EQ(Act(3, semaphore, Action::kLogin), 215);
  EXPECT_EQ(semaphore, nullptr);
  EXPECT_EQ(Detail(), "No database in use [LOGIN]  WorkArea = 3");
  EXPECT_EQ(CurrentWorkArea(), 1);
}

TEST_F(IndexSemaphoreTest, ReaderOfAnotherAreaGivesUpWhileTheWriterHoldsTheLock) {
  auto writer = LoginIn(1);
  auto reader = LoginIn(2);
  ASSERT_NE(writer, nullptr);
  ASSERT_NE(reader, nullptr);
  IndexSemaphoreSettings().lockAttempts = 3;
  IndexSemaphoreSettings().lockRetryWaitMs = 1;
  ASSERT_TRUE(writer->SetLock(true));

  EXPECT_EQ(Act(2, reader, Action::kIncRead), 1202);
  EXPECT_EQ(Detail(), "10 second timeout: Cannot lock index semaphore file: " + semaphorePath_ +
                          " INCREAD\r\nPossible cause: Network lock limit exceeded\r\n"
                          " Lock result code: 33");
  EXPECT_EQ(OnDisk().readers, 1);
  // The failed level still counts; its DECREAD has no reader to take back.
  EXPECT_EQ(Act(2, reader, Action::kDecRead), 0);
  EXPECT_EQ(OnDisk().readers, 1);
  EXPECT_TRUE(writer->SetLock(false));
  EXPECT_EQ(OnDisk().readers, 0);
}

TEST_F(IndexSemaphoreTest, LoginGivesUpWhileAnotherOpenHoldsTheTableLockByte) {
  ASSERT_TRUE(OpenIn(2));
  ASSERT_TRUE(LockTableByte());
  IndexSemaphoreSettings().lockAttempts = 2;
  IndexSemaphoreSettings().lockRetryWaitMs = 1;

  ASSERT_TRUE(OpenIn(1));
  std::unique_ptr<IndexSemaphore> semaphore;
  EXPECT_EQ(Act(1, semaphore, Action::kLogin), 1202);
  EXPECT_EQ(semaphore, nullptr);
  EXPECT_EQ(Detail(),
            "Cannot lock database for: " + semaphorePath_ + " Action=LOGIN [Database Semaphore]");
  EXPECT_FALSE(SemaphoreFilePresent());
  // The failed login changed nothing: the area is still the current one.
  EXPECT_EQ(CurrentWorkArea(), 1);
}

TEST_F(IndexSemaphoreTest, WriterLoggingOutLeavesTheIndexFreeForOthers) {
  auto writer = LoginIn(1);
  auto other = LoginIn(2);
  ASSERT_NE(writer, nullptr);
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(writer->SetLock(true));
  EXPECT_EQ(Act(1, writer, Action::kLogout), 0) << Detail();

  const SemaphoreRecord record = OnDisk();
  EXPECT_EQ(record.logins, 1);
  EXPECT_EQ(record.readers, 0);
  EXPECT_EQ(record.updateCounter, 1);
  IndexSemaphoreSettings().writerTimeoutSeconds = 0;
  EXPECT_TRUE(other->SetLock(true)) << Detail();
  EXPECT_TRUE(other->SetLock(false));
}

TEST_F(IndexSemaphoreTest, ReaderLoggingOutTakesItsReaderCountWithIt) {
  auto reader = LoginIn(1);
  auto other = LoginIn(2);
  ASSERT_NE(reader, nullptr);
  ASSERT_TRUE(reader->SetRead(true));
  EXPECT_EQ(Act(1, reader, Action::kLogout), 0) << Detail();
  EXPECT_EQ(OnDisk().logins, 1);
  EXPECT_EQ(OnDisk().readers, 0);
}

TEST_F(IndexSemaphoreTest, ActionsAfterLogoutAreSkipped) {
  auto semaphore = LoginIn(1);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_EQ(semaphore->Logout(WorkAreaAt(1)), 0);
  EXPECT_EQ(semaphore->Handle(Action::kDecRead), 0);
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_FALSE(SemaphoreFilePresent());
}

}  // namespace
}  // namespace pw::testing
