#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/file.h"
#include "platform/os_error.h"
#include "support/forked_child.h"
#include "support/temp_dir.h"

namespace pw::platform {
namespace {

struct Mode {
  Access access;
  Sharing sharing;
};

constexpr Mode kSharedWrite{Access::ReadWrite, Sharing::Shared};
constexpr Mode kExclusiveWrite{Access::ReadWrite, Sharing::Exclusive};
constexpr Mode kSharedRead{Access::Read, Sharing::Shared};
constexpr Mode kExclusiveRead{Access::Read, Sharing::Exclusive};

class FileSharing : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(path_, std::ios::binary) << "content"; }

  int OpenWith(File& file, Mode mode) { return file.Open(path_, mode.access, mode.sharing); }

  // The result of opening with `second` while another open holds `first`,
  // inside this process.
  int SecondOpenInProcess(Mode first, Mode second) {
    File holder;
    if (OpenWith(holder, first) != 0) return -1;
    File other;
    return OpenWith(other, second);
  }

  // The result of opening here with `second` while a child process holds
  // the file with `first`.
  int OpenWhileChildHolds(Mode first, Mode second) {
    test::ForkedChild child([&](test::ChildLink& link) {
      File holder;
      link.Report(OpenWith(holder, first));
      link.WaitForParent();
    });
    if (child.NextReport() != 0) return -1;
    File file;
    const int code = OpenWith(file, second);
    EXPECT_EQ(child.Finish(), 0);
    return code;
  }

  // The result of a child process opening with `second` while this process
  // holds the file with `first`.
  int ChildOpenWhileHeld(Mode first, Mode second) {
    File holder;
    if (OpenWith(holder, first) != 0) return -1;
    test::ForkedChild child([&](test::ChildLink& link) {
      File file;
      link.Report(OpenWith(file, second));
    });
    const int code = child.NextReport();
    EXPECT_EQ(child.Finish(), 0);
    return code;
  }

  test::TempDir dir_;
  std::string path_ = dir_.file("table.dbf");
};

TEST_F(FileSharing, SharedOpensCoexistInOneProcess) {
  EXPECT_EQ(SecondOpenInProcess(kSharedWrite, kSharedWrite), 0);
  EXPECT_EQ(SecondOpenInProcess(kSharedWrite, kSharedRead), 0);
  EXPECT_EQ(SecondOpenInProcess(kSharedRead, kSharedWrite), 0);
}

TEST_F(FileSharing, ExclusiveOpenRefusesAndIsRefusedInOneProcess) {
  EXPECT_EQ(SecondOpenInProcess(kExclusiveWrite, kSharedWrite), kSharingViolation);
  EXPECT_EQ(SecondOpenInProcess(kExclusiveWrite, kSharedRead), kSharingViolation);
  EXPECT_EQ(SecondOpenInProcess(kExclusiveWrite, kExclusiveWrite), kSharingViolation);
  EXPECT_EQ(SecondOpenInProcess(kSharedWrite, kExclusiveWrite), kSharingViolation);
  EXPECT_EQ(SecondOpenInProcess(kSharedRead, kExclusiveWrite), kSharingViolation);
}

TEST_F(FileSharing, ExclusiveReadOnlyOpenRefusesAndIsRefused) {
  EXPECT_EQ(SecondOpenInProcess(kExclusiveRead, kSharedRead), kSharingViolation);
  EXPECT_EQ(SecondOpenInProcess(kExclusiveRead, kSharedWrite), kSharingViolation);
  EXPECT_EQ(SecondOpenInProcess(kSharedRead, kExclusiveRead), kSharingViolation);
}

TEST_F(FileSharing, RefusedOpenLeavesTheFileClosed) {
  File holder;
  ASSERT_EQ(OpenWith(holder, kExclusiveWrite), 0);
  File other;
  ASSERT_EQ(OpenWith(other, kSharedRead), kSharingViolation);
  EXPECT_FALSE(other.IsOpen());
}

TEST_F(FileSharing, ClosingTheExclusiveOpenAdmitsOthers) {
  File holder;
  ASSERT_EQ(OpenWith(holder, kExclusiveWrite), 0);
  ASSERT_EQ(holder.Close(), 0);
  File other;
  EXPECT_EQ(OpenWith(other, kExclusiveWrite), 0);
}

TEST_F(FileSharing, DestroyingTheExclusiveOpenAdmitsOthers) {
  {
    File holder;
    ASSERT_EQ(OpenWith(holder, kExclusiveWrite), 0);
  }
  File other;
  EXPECT_EQ(OpenWith(other, kSharedWrite), 0);
}

TEST_F(FileSharing, MovedOpenKeepsItsSharingLock) {
  File holder;
  ASSERT_EQ(OpenWith(holder, kExclusiveWrite), 0);
  File moved(std::move(holder));
  File other;
  EXPECT_EQ(OpenWith(other, kSharedRead), kSharingViolation);
}

TEST_F(FileSharing, CreateOverAConflictingOpenFailsWithoutTruncating) {
  const struct {
    Mode held;
    Sharing create;
  } cases[] = {{kSharedRead, Sharing::Exclusive}, {kExclusiveWrite, Sharing::Shared}};
  for (const auto& c : cases) {
    File holder;
    ASSERT_EQ(OpenWith(holder, c.held), 0);
    File creator;
    EXPECT_EQ(creator.Create(path_, c.create), kSharingViolation);
    EXPECT_FALSE(creator.IsOpen());
    std::uint64_t size = 0;
    ASSERT_EQ(holder.Size(&size), 0);
    EXPECT_EQ(size, 7u);
  }
}

TEST_F(FileSharing, SharedCreateOverASharedOpenTruncates) {
  File holder;
  ASSERT_EQ(OpenWith(holder, kSharedRead), 0);
  File creator;
  ASSERT_EQ(creator.Create(path_, Sharing::Shared), 0);
  std::uint64_t size = 99;
  ASSERT_EQ(holder.Size(&size), 0);
  EXPECT_EQ(size, 0u);
}

TEST_F(FileSharing, ExclusiveCreateRefusesOtherOpens) {
  File creator;
  ASSERT_EQ(creator.Create(dir_.file("new.dbf"), Sharing::Exclusive), 0);
  File other;
  EXPECT_EQ(other.Open(dir_.file("new.dbf"), Access::Read, Sharing::Shared), kSharingViolation);
}

TEST_F(FileSharing, ChildHoldingTheFileRefusesThisProcess) {
  EXPECT_EQ(OpenWhileChildHolds(kExclusiveWrite, kSharedRead), kSharingViolation);
  EXPECT_EQ(OpenWhileChildHolds(kSharedWrite, kExclusiveWrite), kSharingViolation);
  EXPECT_EQ(OpenWhileChildHolds(kExclusiveRead, kSharedWrite), kSharingViolation);
  EXPECT_EQ(OpenWhileChildHolds(kSharedWrite, kSharedWrite), 0);
}

TEST_F(FileSharing, ThisProcessHoldingTheFileRefusesAChild) {
  EXPECT_EQ(ChildOpenWhileHeld(kExclusiveWrite, kSharedRead), kSharingViolation);
  EXPECT_EQ(ChildOpenWhileHeld(kSharedRead, kExclusiveWrite), kSharingViolation);
  EXPECT_EQ(ChildOpenWhileHeld(kSharedWrite, kExclusiveRead), kSharingViolation);
  EXPECT_EQ(ChildOpenWhileHeld(kSharedRead, kSharedWrite), 0);
}

TEST_F(FileSharing, ExclusiveOpenIsFreedWhenTheHoldingProcessEnds) {
  test::ForkedChild child([&](test::ChildLink& link) {
    File holder;
    link.Report(OpenWith(holder, kExclusiveWrite));
    link.WaitForParent();
  });
  ASSERT_EQ(child.NextReport(), 0);
  ASSERT_EQ(child.Finish(), 0);
  File file;
  EXPECT_EQ(OpenWith(file, kExclusiveWrite), 0);
}

// A file that cannot be opened for writing still opens exclusively read-only;
// it then refuses exclusive opens, while shared readers get in.
TEST_F(FileSharing, ExclusiveReadOnlyOpenOfAReadOnlyFileRefusesExclusiveOpens) {
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir_.path().c_str(), 0755), 0);
  test::ForkedChild child([&](test::ChildLink& link) {
    // Root may write anything, so the child gives up its privileges first.
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
      link.Report(-2);
      return;
    }
    File holder;
    const int code = OpenWith(holder, kExclusiveRead);
    link.Report(code == 0 ? holder.WriteAt(0, "x", 1) : -3);
    link.WaitForParent();
  });
  ASSERT_EQ(child.NextReport(), kAccessDenied);
  File exclusive;
  EXPECT_EQ(OpenWith(exclusive, kExclusiveWrite), kSharingViolation);
  File reader;
  EXPECT_EQ(OpenWith(reader, kSharedRead), 0);
  EXPECT_EQ(child.Finish(), 0);
}

TEST_F(FileSharing, RenamedOpenKeepsItsExclusiveHoldUnderTheNewName) {
  File holder;
  ASSERT_EQ(OpenWith(holder, kExclusiveWrite), 0);
  const std::string renamed = dir_.file("renamed.dbf");
  ASSERT_EQ(holder.RenameTo(renamed), 0);
  EXPECT_EQ(holder.Path(), renamed);
  EXPECT_NE(access(path_.c_str(), F_OK), 0);
  File other;
  EXPECT_EQ(other.Open(renamed, Access::Read, Sharing::Shared), kSharingViolation);
  EXPECT_EQ(holder.RenameTo(dir_.file("missing/x.dbf")), kPathNotFound);
  EXPECT_EQ(holder.Path(), renamed);
}

}  // namespace
}  // namespace pw::platform
