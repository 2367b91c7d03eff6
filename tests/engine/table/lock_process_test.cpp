// Locks between real processes: a forked child opens the same shared table
// and the two sides take turns, synchronised by one byte at a time over pipes.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>

#include "common/error_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/lock.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "lock_test_support.h"

namespace pw::testing {
namespace {

// A child process running `body` and a pipe in each direction. The child's
// exit status is what `body` returns; a byte of 0 from Receive means the
// other side closed its end (ended or failed).
class ChildProcess {
 public:
  using Body = std::function<int(ChildProcess&)>;

  explicit ChildProcess(const Body& body) {
    int toChild[2];
    int toParent[2];
    if (::pipe(toChild) != 0 || ::pipe(toParent) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(toChild[1]);
      ::close(toParent[0]);
      in_ = toChild[0];
      out_ = toParent[1];
      ::_exit(body(*this));
    }
    ::close(toChild[0]);
    ::close(toParent[1]);
    in_ = toParent[0];
    out_ = toChild[1];
  }
  ~ChildProcess() {
    ::close(in_);
    ::close(out_);
    if (pid_ > 0 && !reaped_) Wait();
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  bool Send(char byte) { return ::write(out_, &byte, 1) == 1; }
  char Receive() {
    char byte = 0;
    return ::read(in_, &byte, 1) == 1 ? byte : 0;
  }
  // Closes the parent's end so that a waiting child sees the end of input,
  // then returns the child's exit status (-1 when it did not exit normally).
  int Wait() {
    ::close(out_);
    out_ = -1;
    int status = 0;
    reaped_ = true;
    if (::waitpid(pid_, &status, 0) != pid_ || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }

 private:
  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  bool reaped_ = false;
};

// In the child: opens the table shared in work area 1.
bool OpenInChild(const std::string& path) {
  Select(1);
  Use(path);
  return EngineErrorCode() == 0;
}

using LockProcessTest = LockTableTest;

TEST_F(LockProcessTest, RecordLockedByAnotherProcessIsRefusedItsNeighbourIsNot) {
  const std::string path = tablePath_;
  ChildProcess child([&path](ChildProcess& self) {
    if (!OpenInChild(path)) return 10;
    CurrentArea().recordNumber = 3;
    if (!RLock()) return 11;
    self.Send('L');
    if (self.Receive() != 'D') return 12;
    CloseAll();
    return 0;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_EQ(child.Receive(), 'L');

  Open(tablePath_);
  MoveTo(3);
  EXPECT_FALSE(RLock());
  EXPECT_FALSE(IsLocked(3));
  MoveTo(4);
  EXPECT_TRUE(RLock());
  Unlock();

  ASSERT_TRUE(child.Send('D'));
  EXPECT_EQ(child.Wait(), 0);
}

TEST_F(LockProcessTest, AppendLockOfAnotherProcessBlocksUntilItUnlocks) {
  const std::string path = tablePath_;
  ChildProcess child([&path](ChildProcess& self) {
    if (!OpenInChild(path)) return 10;
    if (!ALock()) return 11;
    self.Send('A');
    if (self.Receive() != 'U') return 12;
    Unlock();
    self.Send('R');
    if (self.Receive() != 'D') return 13;
    CloseAll();
    return 0;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_EQ(child.Receive(), 'A');

  Open(tablePath_);
  EXPECT_FALSE(ALock());
  ASSERT_TRUE(child.Send('U'));
  ASSERT_EQ(child.Receive(), 'R');
  EXPECT_TRUE(ALock());
  Unlock();

  ASSERT_TRUE(child.Send('D'));
  EXPECT_EQ(child.Wait(), 0);
}

TEST_F(LockProcessTest, LocksEndWithTheProcessThatHeldThem) {
  const std::string path = tablePath_;
  ChildProcess child([&path](ChildProcess& self) {
    if (!OpenInChild(path)) return 10;
    CurrentArea().recordNumber = 2;
    if (!RLock()) return 11;
    self.Send('L');
    self.Receive();  // ends without unlocking once the parent lets go
    return 0;
  });
  ASSERT_TRUE(child.Started());
  ASSERT_EQ(child.Receive(), 'L');
  Open(tablePath_);
  MoveTo(2);
  EXPECT_FALSE(RLock());
  EXPECT_EQ(child.Wait(), 0);
  EXPECT_TRUE(RLock());
}

}  // namespace
}  // namespace pw::testing
