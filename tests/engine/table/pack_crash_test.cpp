// A pack killed at any instant: a child process packs a large table and is
// killed with SIGKILL at different points of its work; the table must then
// open with every live record present exactly once (the old table or the
// packed one, never a mix) and a prolog count that matches its records.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "common/error_state.h"
#include "engine/table/pack.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

constexpr int kRecords = 200000;
const std::vector<RawField> kFields = {{"ID", 'N', 7}, {"TEXT", 'C', 40}};
constexpr std::size_t kRecordLength = 48;

// Record i (from 1): every third one deleted, each with a unique ID.
std::string RecordText(int i) {
  char text[kRecordLength + 1];
  std::snprintf(text, sizeof text, "%c%7d%-40s", i % 3 == 0 ? '*' : ' ', i, "pack crash test");
  return text;
}

// Bytes the process has written so far (wchar of /proc/<pid>/io): how far
// its pack has come, whatever files it writes.
std::uint64_t BytesWritten(pid_t pid) {
  std::ifstream io("/proc/" + std::to_string(pid) + "/io");
  std::string key;
  std::uint64_t value = 0;
  while (io >> key >> value) {
    if (key == "wchar:") return value;
  }
  return 0;
}

std::uint64_t FileSize(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

class PackCrashTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    std::vector<std::string> records;
    for (int i = 1; i <= kRecords; ++i) records.push_back(RecordText(i));
    original_ = DbfBytes(0x03, kFields, records);
    path_ = Path("big.dbf");
    packedSize_ = original_.size() - (kRecords / 3) * kRecordLength;
  }

  // Forks a child that packs the table; the parent waits until `ready(pid)`
  // says the kill point is reached (or the child has ended) and kills it.
  template <class Ready>
  void PackAndKill(Ready ready) {
    WriteBytes(path_, original_);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const bool packed = Use(path_) && Pack();
      _exit(packed ? 0 : 1);
    }
    int status = 0;
    pid_t ended = 0;
    while (ended == 0 && !ready(pid)) ended = waitpid(pid, &status, WNOHANG);
    if (ended == 0) {
      kill(pid, SIGKILL);
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }
    // The child was killed, or it ended by itself having packed the table.
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
  }

  // The table opens and holds either all the old records or exactly the
  // live ones, each once, with a matching prolog count.
  void ExpectOldOrPackedTable() {
    ASSERT_TRUE(Use(path_ + " EXCLUSIVE")) << Detail();
    const std::int32_t count = CurrentArea().recordCount;
    const std::size_t headerLength = CurrentArea().headerLength;
    Use("");
    const bool packed = count == kRecords - kRecords / 3;
    ASSERT_TRUE(packed || count == kRecords) << count;
    const Bytes bytes = ReadBytes(path_);
    ASSERT_EQ(bytes.size(), headerLength + kRecordLength * static_cast<std::size_t>(count) + 1);
    std::vector<int> seen(kRecords + 1, 0);
    for (std::int32_t n = 0; n < count; ++n) {
      const char* at = reinterpret_cast<const char*>(bytes.data()) + headerLength +
                       kRecordLength * static_cast<std::size_t>(n);
      const std::string text(at, kRecordLength);
      const int id = std::atoi(text.substr(1, 7).c_str());
      ASSERT_TRUE(id >= 1 && id <= kRecords && text == RecordText(id)) << text;
      ASSERT_FALSE(packed && text[0] == '*') << "deleted record " << id << " kept";
      ++seen[static_cast<std::size_t>(id)];
    }
    for (int id = 1; id <= kRecords; ++id) {
      if (id % 3 != 0) {
        ASSERT_EQ(seen[static_cast<std::size_t>(id)], 1) << "live record " << id;
      }
    }
  }

  Bytes original_;
  std::string path_;
  std::uint64_t packedSize_ = 0;
};

TEST_F(PackCrashTest, KilledWhileWritingThePackedFileLeavesTheOldOrThePackedTable) {
  // From the first byte written to the packed table's full size and beyond.
  for (int eighths = 0; eighths <= 9; ++eighths) {
    SCOPED_TRACE(eighths);
    const std::uint64_t killAt = packedSize_ * static_cast<std::uint64_t>(eighths) / 8 + 1;
    PackAndKill([killAt](pid_t child) { return BytesWritten(child) >= killAt; });
    ExpectOldOrPackedTable();
  }
}

TEST_F(PackCrashTest, KilledAtVariousMomentsLeavesTheOldOrThePackedTable) {
  for (int microseconds : {0, 500, 2000, 5000, 10000, 20000, 40000, 80000, 160000}) {
    SCOPED_TRACE(microseconds);
    PackAndKill([microseconds](pid_t) {
      usleep(static_cast<useconds_t>(microseconds));
      return true;
    });
    ExpectOldOrPackedTable();
  }
}

TEST_F(PackCrashTest, PackAfterACrashCompletes) {
  const std::string twin = path_ + ".$PK";
  PackAndKill([this](pid_t child) { return BytesWritten(child) >= packedSize_ / 2; });
  ASSERT_TRUE(Use(path_));
  ASSERT_TRUE(Pack()) << Detail();
  Use("");
  ExpectOldOrPackedTable();
  EXPECT_EQ(FileSize(path_), packedSize_);
  EXPECT_NE(access(twin.c_str(), F_OK), 0);
}

}  // namespace
}  // namespace pw::testing
