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
    table0_ = ReadFile(table_);
    memo0_ = ReadFile(Path("m.dbt"));
  }
  static std::string Text(int id) { return "memo " + std::to_string(id) + std::string(600, '.'); }
  void Restore() const {
    WriteFile(table_, table0_);
    WriteFile(Path("m.dbt"), memo0_);
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

  std::string table_, table0_, memo0_;
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

}  // namespace
}  // namespace pw::testing
