// A child process for tests of behaviour across processes (sharing modes,
// byte-range locks). The child runs a function that reports integers to the
// parent and may wait for the parent's go-ahead, so that it can hold a file
// or a lock while the parent tries its own request.
#pragma once

#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <type_traits>

namespace pw::test {

// The child's end of the two pipes.
class ChildLink {
 public:
  ChildLink(int toParent, int fromParent) : toParent_(toParent), fromParent_(fromParent) {}

  // Sends one value to the parent (ForkedChild::NextReport).
  void Report(int value) {
    if (write(toParent_, &value, sizeof value) != sizeof value) _exit(3);
  }
  // Blocks until the parent calls Continue() or Finish().
  void WaitForParent() {
    char go;
    while (read(fromParent_, &go, 1) < 0 && errno == EINTR) {
    }
  }

 private:
  int toParent_;
  int fromParent_;
};

class ForkedChild {
 public:
  // Forks; the child runs `body` and exits with what it returns (0 for a
  // body without a result), or 2 when it throws.
  template <class Body>
  explicit ForkedChild(Body body) {
    // A child that has ended must fail the parent's writes, not kill it.
    signal(SIGPIPE, SIG_IGN);
    int up[2];
    int down[2];
    if (pipe(up) != 0) throw std::runtime_error("pipe failed");
    if (pipe(down) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
      close(up[0]);
      close(down[1]);
      ChildLink link(up[1], down[0]);
      int status = 0;
      try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body&, ChildLink&>>) {
          body(link);
        } else {
          status = body(link);
        }
      } catch (...) {
        status = 2;
      }
      _exit(status);
    }
    close(up[1]);
    close(down[0]);
    fromChild_ = up[0];
    toChild_ = down[1];
  }
  ~ForkedChild() { Finish(); }
  ForkedChild(const ForkedChild&) = delete;
  ForkedChild& operator=(const ForkedChild&) = delete;

  // The next value the child reports; -1 when it ended without one.
  int NextReport() {
    int value;
    ssize_t n;
    while ((n = read(fromChild_, &value, sizeof value)) < 0 && errno == EINTR) {
    }
    return n == sizeof value ? value : -1;
  }
  // Lets the child past one WaitForParent().
  void Continue() {
    const char go = 1;
    if (write(toChild_, &go, 1) != 1) throw std::runtime_error("pipe write failed");
  }
  // Ends the child at once with SIGKILL, as a crash would, and waits for it.
  void Kill() {
    if (pid_ > 0) kill(pid_, SIGKILL);
    Finish();
  }
  // Lets the child run to its end and waits for it. Returns its exit status
  // (0 when its function returned), or -1 when it did not exit normally.
  int Finish() {
    if (pid_ <= 0) return exitStatus_;
    close(toChild_);
    close(fromChild_);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitStatus_;
  }

 private:
  pid_t pid_ = 0;
  int fromChild_ = -1;
  int toChild_ = -1;
  int exitStatus_ = -1;
};

}  // namespace pw::test
