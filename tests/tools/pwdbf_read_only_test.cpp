// pwdbf's read-only commands on tables the user may only read: files of
// mode 0444 in a folder of mode 0555. Root may write anything, so as root
// the tool runs as nobody through setpriv.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

namespace fs = std::filesystem;

class PwdbfReadOnly : public PwdbfTest {
 protected:
  void SetUp() override {
    const std::string table =
        Create("notes.dbf", "CITY,C,20,0;SIZE,N,6,0;TEXT,M", "CITY,F,F,upper(city);SIZE,T,F,size");
    Append(table, Json::parse(R"([
      {"CITY": "Oslo", "SIZE": 7, "TEXT": "north"},
      {"CITY": "lima", "SIZE": 30},
      {"CITY": "Bern", "SIZE": 12, "TEXT": "middle"}
    ])"));
    // The test folder holds the tool's output files; the tables move to a
    // folder of their own that nobody may write.
    fs::create_directory(Path("copy"));
    for (const char* name : {"notes.dbf", "notes.dbt", "notes.mdx"}) {
      fs::rename(Path(name), Path(std::string("copy/") + name));
      chmod(Path(std::string("copy/") + name).c_str(), 0444);
    }
    chmod(Path("copy").c_str(), 0555);
    chmod(dir_.path().c_str(), 0755);
    table_ = Path("copy/notes.dbf");
    if (geteuid() == 0) {
      launcher_ = {"/usr/bin/setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
    } else if (access(table_.c_str(), W_OK) == 0) {
      GTEST_SKIP() << "neither root nor able to make files read-only for this user";
    }
  }
  void TearDown() override { chmod(Path("copy").c_str(), 0755); }

  ToolRun RunReader(const std::vector<std::string>& arguments) const {
    ToolRun run = Run(arguments, "", launcher_);
    EXPECT_EQ(run.exitCode, 0) << arguments[0] << ": " << run.err << run.out;
    return run;
  }

  std::string table_;
  std::vector<std::string> launcher_;
};

TEST_F(PwdbfReadOnly, ReadOnlyCommandsWalkFindAndCheckWithoutWriting) {
  const ToolRun dump = RunReader({"dump", table_, "--order", "CITY"});
  std::vector<std::string> cities;
  for (const Json& record : JsonLines(dump.out)) cities.push_back(record["CITY"]);
  EXPECT_EQ(cities, (std::vector<std::string>{"Bern", "lima", "Oslo"}));
  const ToolRun descending = RunReader({"dump", table_, "--order", "SIZE", "--fields", "SIZE"});
  EXPECT_EQ(Column(JsonLines(descending.out), "SIZE"), (std::vector<Json>{30, 12, 7}));

  EXPECT_NE(RunReader({"info", table_}).out.find("CITY"), std::string::npos);
  EXPECT_NE(RunReader({"check", table_}).out.find("no problems found (3 records, 2 memo"),
            std::string::npos);
  EXPECT_NE(RunReader({"eval", table_, "upper(city)", "--record", "3"}).out.find("BERN"),
            std::string::npos);

  // Nothing was written: no semaphore file, the tables unchanged in place.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Path("copy"))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"notes.dbf", "notes.dbt", "notes.mdx"}));
}

}  // namespace
}  // namespace pw::testing
