// pwdbf on damaged and half-finished tables: impossible record counts, a
// lost production index, a create that fails over an existing table, an
// interrupted memo pack, and the text of an expression error.
#include <filesystem>

#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class PwdbfDamage : public PwdbfTest {
 protected:
  void SetUp() override {
    table_ = Create("t.dbf", "NAME,C,10,0;TEXT,M", "NAME,F,F,upper(name)");
    Append(table_, Json::parse(R"([{"NAME": "pear", "TEXT": "ripe"}, {"NAME": "fig"}])"));
  }
  void SetPrologCount(std::uint32_t count) const {
    std::string bytes = ReadFile(table_);
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<char>(count >> (8 * i));
    WriteFile(table_, bytes);
  }
  std::string Files() const {
    return ReadFile(table_) + ReadFile(Path("t.dbt")) + ReadFile(Path("t.mdx"));
  }

  std::string table_;
};

TEST_F(PwdbfDamage, HeaderClaimingImpossibleRecordCountsIsReadByTheFileSize) {
  for (const std::uint32_t count : {0x7FFFFFFFu, 0xFFFFFFFFu}) {
    SCOPED_TRACE(count);
    SetPrologCount(count);
    EXPECT_EQ(Dump(table_).size(), 2u);
    const ToolRun check = Run({"check", table_});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(
        Has(check.out, "the header counts " + std::to_string(count) + " records, the file holds 2"))
        << check.out;
    RunOk({"reindex", table_});
    RunOk({"check", table_});
  }
}

TEST_F(PwdbfDamage, CreateOverATableChecksTheIndexBeforeReplacingAnything) {
  const std::string before = Files();
  const ToolRun run =
      Run({"create", table_, "--fields", "NAME,C,10", "--index", "BAD,F,F,upper(name"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, "Error # 351 (Error in expression)")) << run.err;
  EXPECT_EQ(Files(), before);
  for (const auto& entry : std::filesystem::directory_iterator(Path(""))) {
    EXPECT_FALSE(entry.is_directory()) << "left behind: " << entry.path();
  }

  // A sound create replaces the table with its memo and index files.
  RunOk({"create", table_, "--fields", "ID,N,4,0"});
  EXPECT_EQ(Dump(table_).size(), 0u);
  EXPECT_FALSE(std::filesystem::exists(Path("t.dbt")));
  EXPECT_FALSE(std::filesystem::exists(Path("t.mdx")));
}

TEST_F(PwdbfDamage, LostProductionIndexStopsWritersUntilReindexMakesItAgain) {
  std::filesystem::remove(Path("t.mdx"));
  const std::string before = ReadFile(table_);
  WriteFile(Path("more.json"), R"({"NAME": "plum"})");
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"append", table_, "--json", Path("more.json")},
        std::vector<std::string>{"pack", table_}}) {
    const ToolRun run = Run(command);
    EXPECT_EQ(run.exitCode, 1) << command[0];
    EXPECT_TRUE(Has(run.err, "t.mdx is missing")) << run.err;
  }
  EXPECT_EQ(ReadFile(table_), before);
  const ToolRun plain = Run({"reindex", table_});
  EXPECT_EQ(plain.exitCode, 1);
  EXPECT_TRUE(Has(plain.err, "give its tags with --index")) << plain.err;

  RunOk({"reindex", table_, "--index", "NAME,F,F,upper(name)"});
  RunOk({"append", table_, "--json", Path("more.json")});
  RunOk({"check", table_});
  EXPECT_EQ(Column(Dump(table_, {"--order", "NAME"}), "NAME"),
            (std::vector<Json>{"fig", "pear", "plum"}));
}

TEST_F(PwdbfDamage, ReadingCommandsWorkBesideAnInterruptedMemoPackAndSaySo) {
  WriteFile(Path("t.dbt.$$J"), "PWMEMOJ2 torn");
  const ToolRun dump = RunOk({"dump", table_});
  EXPECT_EQ(Column(JsonLines(dump.out), "TEXT"), (std::vector<Json>{"ripe", ""}));
  EXPECT_TRUE(Has(dump.err, "a memo pack was interrupted")) << dump.err;
  EXPECT_TRUE(Has(RunOk({"check", table_}).err, "the next read-write open"));
  EXPECT_TRUE(std::filesystem::exists(Path("t.dbt.$$J")));

  RunOk({"pack", table_});
  EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$J")));
  EXPECT_EQ(RunOk({"dump", table_}).err, "");
}

// Every command that refuses a damaged table leaves each of its files byte
// for byte as it was: the tag count at index header byte 28, the record
// length in the prolog (bytes 10-11).
TEST_F(PwdbfDamage, ARefusedCommandLeavesEveryFileAsItWas) {
  const std::string dbf = ReadFile(table_);
  const std::string dbt = ReadFile(Path("t.dbt"));
  const std::string mdx = ReadFile(Path("t.mdx"));
  struct Damage {
    const char* name;
    bool inIndex;
    std::size_t at;
    char value;
  };
  const Damage damages[] = {{"tag count 0", true, 28, 0},
                            {"tag count 60", true, 28, 60},
                            {"record length", false, 10, 7}};
  const std::vector<std::vector<std::string>> commands = {
      {"reindex", table_}, {"pack", table_}, {"append", table_, "--json", "-"}};
  for (const Damage& damage : damages) {
    for (const std::vector<std::string>& command : commands) {
      SCOPED_TRACE(std::string(damage.name) + ", " + command[0]);
      std::string damaged = damage.inIndex ? mdx : dbf;
      damaged[damage.at] = damage.value;
      WriteFile(table_, damage.inIndex ? dbf : damaged);
      WriteFile(Path("t.dbt"), dbt);
      WriteFile(Path("t.mdx"), damage.inIndex ? damaged : mdx);
      const std::string before = Files();
      const ToolRun run = Run(command, R"([{"NAME": "plum"}])");
      if (run.exitCode != 0) {
        EXPECT_TRUE(Files() == before) << run.err;
      }
    }
  }
}

}  // namespace
}  // namespace pw::testing
