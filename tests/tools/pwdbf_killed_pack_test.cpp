// pwdbf pack killed at moments spread over its work: the read-only
// commands then read every memo as the old table or the packed one has it
// (an interrupted memo pack included, which a read-write open completes),
// and the next pack finishes the job.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

constexpr int kRecords = 300;

class PwdbfKilledPack : public PwdbfTest {
 protected:
  void SetUp() override {
    table_ = Create("m.dbf", "ID,N,6,0;TEXT,M");
    Json records = Json::array();
    for (int id = 1; id <= kRecords; ++id) {
      records.push_back({{"ID", id}, {"TEXT", Text(id)}, {"_deleted", id % 3 == 0}});
    }
    Append(table_, records);
    tableBefore_ = ReadFile(table_);
    memoBefore_ = ReadFile(Path("m.dbt"));
  }
  static std::string Text(int id) { return "memo " + std::to_string(id) + std::string(600, '.'); }
  void Restore() const {
    WriteFile(table_, tableBefore_);
    WriteFile(Path("m.dbt"), memoBefore_);
  }
  // Starts pwdbf pack and kills it after `microseconds` (unless it ended).
  void PackKilledAfter(long microseconds) const {
    const pid_t pid = fork();
    if (pid == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      execl(PWDBF_PATH, PWDBF_PATH, "pack", table_.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    usleep(static_cast<useconds_t>(microseconds));
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  // Every record read-only: the old ones or the live ones, each with its memo.
  void ExpectOldOrPackedMemos() const {
    const std::vector<Json> records = Dump(table_);
    ASSERT_TRUE(records.size() == kRecords || records.size() == kRecords - kRecords / 3)
        << records.size();
    for (const Json& record : records) {
      const int id = record["ID"].get<int>();
      ASSERT_EQ(record["TEXT"], Text(id)) << "record ID " << id;
    }
  }

  std::string table_, tableBefore_, memoBefore_;
};

TEST_F(PwdbfKilledPack, ReadOnlyCommandsReadEveryMemoAfterAKillAndPackFinishes) {
  const auto start = std::chrono::steady_clock::now();
  RunOk({"pack", table_});
  const long took = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
  for (int trial = 0; trial <= 10; ++trial) {
    SCOPED_TRACE(trial);
    Restore();
    PackKilledAfter(took * trial / 9);
    ExpectOldOrPackedMemos();
    RunOk({"check", table_});
    RunOk({"pack", table_});
    EXPECT_EQ(Dump(table_).size(), static_cast<std::size_t>(kRecords - kRecords / 3));
    ExpectOldOrPackedMemos();
  }
}

// An indexed table packed and killed at moments spread over the pack: the
// next writer (pwdbf append, no repair first) succeeds, and check then finds
// the old records or the packed ones, each in every tag, and no twin left
// that it trips over. PAPERWISP_PACK_RECORDS and PAPERWISP_KILL_TRIALS set
// the table's size and the number of kills (scripts/kill-trials).
TEST_F(PwdbfKilledPack, AnIndexedTableIsWholeAfterAKillAndTheNextWriterSucceeds) {
  const char* records = std::getenv("PAPERWISP_PACK_RECORDS");
  const char* trials = std::getenv("PAPERWISP_KILL_TRIALS");
  const int count = records != nullptr ? std::atoi(records) : 3000;
  const int kills = trials != nullptr ? std::atoi(trials) : 8;
  table_ = Create("i.dbf", "ID,N,8,0;NAME,C,20", "ID,F,F,ID;NAME,F,F,upper(NAME)");
  Json rows = Json::array();
  for (int id = 1; id <= count; ++id) {
    rows.push_back(
        {{"ID", id}, {"NAME", "n" + std::to_string(id % 97)}, {"_deleted", id % 3 == 0}});
  }
  Append(table_, rows);
  const std::string dbf0 = ReadFile(table_);
  const std::string mdx0 = ReadFile(Path("i.mdx"));
  const auto start = std::chrono::steady_clock::now();
  RunOk({"pack", table_});
  const long took = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
  std::mt19937 random(31);
  int damaged = 0;
  for (int trial = 0; trial < kills; ++trial) {
    SCOPED_TRACE(trial);
    WriteFile(table_, dbf0);
    WriteFile(Path("i.mdx"), mdx0);
    PackKilledAfter(static_cast<long>(random() % static_cast<unsigned>(took + 1)));
    const ToolRun next = Run({"append", table_, "--json", "-"}, R"([{"ID": 0}])");
    const ToolRun check = Run({"check", table_});
    damaged += next.exitCode != 0 || check.exitCode != 0;
    EXPECT_EQ(next.exitCode, 0) << next.err;
    EXPECT_EQ(check.exitCode, 0) << check.out.substr(0, 2000);
    const std::size_t kept = Dump(table_).size();
    EXPECT_TRUE(kept == static_cast<std::size_t>(count) + 1 ||
                kept == static_cast<std::size_t>(count - count / 3) + 1)
        << kept;
    if (HasFailure()) break;
  }
  std::cout << kills << " kills of a pack of " << count << " records: " << damaged
            << " left a table that the next writer or check refused\n";
}

}  // namespace
}  // namespace pw::testing
