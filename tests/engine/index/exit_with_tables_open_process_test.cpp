// A process that ends with shared indexed tables open: by std::exit, by an
// exception its main turns into an exit, or by the engine's own stop on a
// dispatched error. The exit handler must close every table completely: the
// prolog counts the records, every tag holds every record, and no login is
// left in the index semaphore.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "common/error_state.h"
#include "engine/expr/expr_hooks.h"
#include "engine/index/index_semaphore.h"
#include "engine/index/index_unit.h"
#include "engine/index/make_index.h"
#include "engine/index/set_index_to.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/append.h"
#include "engine/table/lock.h"
#include "engine/table/record_buffer.h"
#include "engine/table/record_image.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_build_test_support.h"

namespace pw::testing {
namespace {

constexpr int kRecords = 20;
constexpr int kOpenFailed = 90;
constexpr int kAppendFailed = 91;
constexpr int kNotEnded = 92;

enum class Ending { kExit, kThrow, kEngineStop };

class ExitWithTablesOpenTest : public IndexTest {
 protected:
  void SetUp() override {
    IndexTest::SetUp();
    RegisterIndexUnit();
    path_ = WriteTable("notes", NoteTagFields(), {});
    TagDescription tags[5];
    const char* keys[] = {"upper(Noteboard)", "handle", "showing", "upper(alarmact)",
                          "upper(expires)"};
    const char* names[] = {"BOARD", "HANDLE", "SHOWING", "ALARMACT", "EXPIREACT"};
    for (int i = 0; i < 5; ++i) {
      tags[i].name = names[i];
      tags[i].keyExpression = keys[i];
    }
    ASSERT_TRUE(MakeIndex({tags, tags + 5}, "")) << Detail();
    ASSERT_TRUE(Use(""));
    indexPath_ = Path("notes.mdx");
  }

  // Appends record `n` (HANDLE n) in the current work area.
  static bool AppendNote(int n) {
    WorkArea& area = CurrentArea();
    if (!ALock()) return false;
    ClearRecord();
    std::string raw(area.recordLength, ' ');
    const std::string board = "board " + std::to_string(n % 3);
    const std::string handle = std::to_string(n);
    raw.replace(1, board.size(), board);
    raw.replace(1 + 50 + 10 - handle.size(), handle.size(), handle);
    raw.replace(61, 3, n % 2 == 0 ? "YNY" : "NYN");
    area.raw.assign(raw.begin(), raw.end());
    RawToImage(area);
    const bool appended = Append();
    Unlock();
    return appended;
  }

  // The child: the table open shared in two work areas with its index,
  // records appended, then the process ends with both still open.
  [[noreturn]] void RunChild(Ending ending) {
    Settings().networkMode = true;
    for (int n = 1; n <= 2; ++n) {
      if (!Select(n) || !Use(path_ + " ALIAS AREA" + std::to_string(n)) || !SetIndexTo("")) {
        _exit(kOpenFailed);
      }
    }
    // The appends go through one area; the other stays open beside it.
    Select(1);
    for (int n = 1; n <= kRecords; ++n) {
      if (!AppendNote(n)) _exit(kAppendFailed);
    }
    switch (ending) {
      case Ending::kExit:
        std::exit(0);
      case Ending::kThrow:
        try {
          throw std::runtime_error("a failure with tables open");
        } catch (const std::exception&) {
          std::exit(1);
        }
      case Ending::kEngineStop:
        SetAutoDispatch(true);
        SetRaiseMode(false);
        Select(99);  // reports 220, which stops the program
        break;
    }
    _exit(kNotEnded);
  }

  // Forks the child and returns its exit status (-1 for a signal: a crash
  // in the exit handler).
  int ChildEndingWith(Ending ending) {
    const pid_t pid = fork();
    if (pid == 0) RunChild(ending);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  void ExpectClosedAndConsistent() {
    const int records = kRecords;
    const Bytes bytes = ReadBytes(path_);
    const std::size_t headerLength = Le16(bytes, 8);
    const std::size_t recordLength = Le16(bytes, 10);
    EXPECT_EQ(Le32(bytes, 4), static_cast<std::uint32_t>(records));
    ASSERT_EQ(bytes.size(), headerLength + records * recordLength + 1);
    EXPECT_EQ(bytes.back(), 0x1A);
    EXPECT_FALSE(std::filesystem::exists(SemaphoreFileName(path_))) << "a login was left";
    for (int tag = 1; tag <= 5; ++tag) {
      SCOPED_TRACE(tag);
      std::set<std::uint32_t> indexed;
      for (const LeafItem& item : LeafItems(indexPath_, tag)) indexed.insert(item.record);
      EXPECT_EQ(indexed.size(), static_cast<std::size_t>(records));
      EXPECT_EQ(*indexed.begin(), 1u);
      EXPECT_EQ(*indexed.rbegin(), static_cast<std::uint32_t>(records));
    }
  }

  std::string path_;
  std::string indexPath_;
};

TEST_F(ExitWithTablesOpenTest, StdExitClosesEveryTableCompletely) {
  EXPECT_EQ(ChildEndingWith(Ending::kExit), 0);
  ExpectClosedAndConsistent();
}

TEST_F(ExitWithTablesOpenTest, ExitAfterAnExceptionClosesEveryTableCompletely) {
  EXPECT_EQ(ChildEndingWith(Ending::kThrow), 1);
  ExpectClosedAndConsistent();
}

TEST_F(ExitWithTablesOpenTest, EngineStopOnADispatchedErrorClosesEveryTableCompletely) {
  EXPECT_EQ(ChildEndingWith(Ending::kEngineStop), 220);
  ExpectClosedAndConsistent();
}

}  // namespace
}  // namespace pw::testing
