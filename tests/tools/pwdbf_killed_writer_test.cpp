// A shared writer killed while it appends leaves the prolog count behind
// its records: check names the stale count, and pwdbf pack and pwdbf
// reindex keep every record the writer reported committed and rewrite the
// count.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "common/error_state.h"
#include "engine/expr/expr_hooks.h"
#include "engine/index/index_unit.h"
#include "engine/index/set_index_to.h"
#include "engine/memo/memo_unit.h"
#include "engine/table/append.h"
#include "engine/table/lock.h"
#include "engine/table/record_buffer.h"
#include "engine/table/record_image.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

constexpr int kIdWidth = 8;

// The child: appends records ID 1, 2, ... through the engine to the shared
// table with its index open, each under the append lock, and writes each
// ID to `out` once its append has returned success. Runs until killed.
[[noreturn]] void AppendUntilKilled(const std::string& table, int out) {
  RegisterMemoUnit();
  RegisterExprUnit();
  RegisterIndexUnit();
  SetAutoDispatch(false);
  if (!Use(table) || !SetIndexTo("")) _exit(10);
  WorkArea& area = CurrentArea();
  for (int id = 1;; ++id) {
    if (!ALock()) _exit(11);
    ClearRecord();
    std::string raw(area.recordLength, ' ');
    const std::string text = std::to_string(id);
    raw.replace(1 + kIdWidth - text.size(), text.size(), text);
    raw.replace(1 + kIdWidth, 6, "note " + std::to_string(id % 10));
    area.raw.assign(raw.begin(), raw.end());
    RawToImage(area);
    const bool appended = Append();
    Unlock();
    if (!appended) _exit(12);
    if (write(out, &id, sizeof id) != sizeof id) _exit(13);
  }
}

class PwdbfKilledWriter : public PwdbfTest {
 protected:
  // Starts the writer, lets it commit at least `atLeast` records, waits
  // `microseconds` more and kills it. Returns the last ID it reported.
  static int KillWriterAfter(const std::string& table, int atLeast, int microseconds) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
      close(pipeEnds[0]);
      AppendUntilKilled(table, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    int last = 0;
    int id = 0;
    while (last < atLeast && read(pipeEnds[0], &id, sizeof id) == sizeof id) last = id;
    usleep(static_cast<useconds_t>(microseconds));
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    // Reports still in the pipe were committed before the kill.
    while (read(pipeEnds[0], &id, sizeof id) == sizeof id) last = id;
    close(pipeEnds[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself: " << status;
    return last;
  }
};

TEST_F(PwdbfKilledWriter, PackAndReindexKeepEveryRecordTheKilledWriterCommitted) {
  std::mt19937 random(16);
  for (int trial = 0; trial < 16; ++trial) {
    SCOPED_TRACE(trial);
    const std::string table = Create("w" + std::to_string(trial) + ".dbf",
                                     "ID,N," + std::to_string(kIdWidth) + ",0;TEXT,C,10",
                                     "ID,F,F,ID;TEXT,F,F,upper(TEXT)");
    const int committed = KillWriterAfter(table, 1 + static_cast<int>(random() % 40),
                                          static_cast<int>(random() % 3000));
    ASSERT_GT(committed, 0);

    // The writer never closed: the prolog still counts 0 records.
    const ToolRun stale = Run({"check", table});
    EXPECT_EQ(stale.exitCode, 1);
    EXPECT_NE(stale.out.find("the header counts 0 records, the file holds "), std::string::npos)
        << stale.out;

    RunOk({trial % 2 == 0 ? "pack" : "reindex", table});
    const std::vector<Json> ids = Column(Dump(table), "ID");
    // Every committed record once, in order; at most the one whose append
    // the kill cut off after its record was written comes after them.
    ASSERT_GE(ids.size(), static_cast<std::size_t>(committed));
    ASSERT_LE(ids.size(), static_cast<std::size_t>(committed) + 1);
    for (std::size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<int>(i) + 1);
    const ToolRun repaired = RunOk({"check", table});
    EXPECT_NE(repaired.out.find("no problems found (" + std::to_string(ids.size()) + " records"),
              std::string::npos)
        << repaired.out;
  }
}

TEST_F(PwdbfKilledWriter, ARecordCutShortIsNeverCountedAndPackRemovesIt) {
  const std::string table = Create("cut.dbf", "ID,N,8,0;TEXT,C,10", "ID,F,F,ID");
  Append(table, Json::parse(R"([{"ID": 1}, {"ID": 2}])"));
  std::string bytes = ReadFile(table);
  bytes.pop_back();  // the end marker
  WriteFile(table, bytes + " 3      not a who");
  const ToolRun check = Run({"check", table});
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.out.find("17 bytes of a record cut short"), std::string::npos) << check.out;
  EXPECT_EQ(Dump(table).size(), 2u);
  RunOk({"pack", table});
  EXPECT_EQ(ReadFile(table).size(), bytes.size() + 1);
  RunOk({"check", table});
}

}  // namespace
}  // namespace pw::testing
