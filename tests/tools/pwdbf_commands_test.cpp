// pwdbf info, eval, create, append and pack; the locks of other programs;
// read-only opens; help and usage errors.
#include <filesystem>

#include "engine/table/lock.h"
#include "platform/file.h"
#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

class PwdbfCommands : public PwdbfTest {
 protected:
  void SetUp() override {
    table_ = Create("t.dbf", "NAME,C,10,0;PRICE,N,7,2;DUE,D;TEXT,M", "NAME,F,T,name");
    Append(table_, Json::parse(R"([
      {"NAME": "pear", "PRICE": 1.25, "DUE": "2024-02-29", "TEXT": "ripe"},
      {"NAME": "fig", "PRICE": 3, "_deleted": true, "TEXT": "dried"},
      {"NAME": "apple", "PRICE": 0.5}
    ])"));
  }

  std::string table_;
};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(PwdbfCommands, InfoDescribesHeaderFieldsMemoAndTags) {
  const ToolRun run = RunOk({"info", table_});
  EXPECT_TRUE(Has(run.out, "Version:          0x8B (dBASE IV, memo)")) << run.out;
  EXPECT_TRUE(Has(run.out, "Records:          3 (prolog), 3 (file size)")) << run.out;
  EXPECT_TRUE(Has(run.out, "Header length:    161")) << run.out;
  EXPECT_TRUE(Has(run.out, "Record length:    36")) << run.out;
  EXPECT_TRUE(Has(run.out, "  PRICE       N    7   2")) << run.out;
  EXPECT_TRUE(Has(run.out, "DBT, dBASE IV kind, block size 512")) << run.out;
  EXPECT_TRUE(Has(run.out, "Production index: yes")) << run.out;
  EXPECT_TRUE(Has(run.out, "    unique:     yes")) << run.out;
  EXPECT_TRUE(Has(run.out, "    key type:   C 10")) << run.out;
}

TEST_F(PwdbfCommands, EvalPrintsTypeWidthDecimalsAndValue) {
  ToolRun run = RunOk({"eval", table_, "price * 2", "--record", "2"});
  EXPECT_TRUE(Has(run.out, "record:   2")) << run.out;
  EXPECT_TRUE(Has(run.out, "type:     N")) << run.out;
  EXPECT_TRUE(Has(run.out, "decimals: 2")) << run.out;
  EXPECT_TRUE(Has(run.out, "value:    6.00")) << run.out;
  run = RunOk({"eval", table_, "due + 1"});
  EXPECT_TRUE(Has(run.out, "value:    2024-03-01")) << run.out;
  run = RunOk({"eval", table_, "upper(name) = \"PEAR\""});
  EXPECT_TRUE(Has(run.out, "value:    .T.")) << run.out;
}

TEST_F(PwdbfCommands, EvalReportsTheEngineErrorOnOneLine) {
  const ToolRun run = Run({"eval", table_, "name + 1"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, table_ + ": Error # 351")) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  EXPECT_EQ(Run({"eval", table_, "name", "--record", "9"}).exitCode, 1);
}

TEST_F(PwdbfCommands, AppendChecksEveryRecordBeforeStoringAny) {
  const std::string file = Path("bad.json");
  WriteFile(file, "{\"NAME\": \"kiwi\"}\n{\"NAME\": \"much too long a name\"}\n");
  ToolRun run = Run({"append", table_, "--json", file});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, "record 2: field NAME: text longer than 10 characters")) << run.err;
  WriteFile(file, R"([{"PRICE": "cheap"}])");
  EXPECT_TRUE(Has(Run({"append", table_, "--json", file}).err, "a number or null expected"));
  WriteFile(file, R"([{"NAME": "日本"}])");
  EXPECT_TRUE(Has(Run({"append", table_, "--json", file}).err, "Windows-1252 cannot store"));
  WriteFile(file, R"([{"DUE": "2023-02-29"}])");
  EXPECT_TRUE(Has(Run({"append", table_, "--json", file}).err, "YYYY-MM-DD"));
  EXPECT_EQ(Dump(table_).size(), 3u) << "nothing was appended";
}

TEST_F(PwdbfCommands, AppendReadsJsonLinesAndKeepsTheIndexInStep) {
  RunOk({"append", table_, "--json", "-"}, "{\"NAME\": \"banana\"}\n{\"NAME\": \"cherry\"}\n");
  EXPECT_EQ(Column(Dump(table_, {"--order", "NAME"}), "NAME"),
            (std::vector<Json>{"apple", "banana", "cherry", "fig", "pear"}));
  EXPECT_EQ(Run({"check", table_}).exitCode, 0);
}

TEST_F(PwdbfCommands, PackRemovesDeletedRecordsAndKeepsMemosAndIndex) {
  const ToolRun run = RunOk({"pack", table_});
  EXPECT_TRUE(Has(run.out, "2 records kept, 1 removed")) << run.out;
  const std::vector<Json> records = Dump(table_);
  EXPECT_EQ(Column(records, "NAME"), (std::vector<Json>{"pear", "apple"}));
  EXPECT_EQ(records[0]["TEXT"], "ripe");
  EXPECT_EQ(Column(Dump(table_, {"--order", "NAME"}), "_recno"), (std::vector<Json>{2, 1}));
  EXPECT_EQ(Run({"check", table_}).exitCode, 0);
}

TEST_F(PwdbfCommands, TablesInFoldersNamedLikeOpenOptionsAreUsedWhole) {
  for (const char* folder : {"My Exclusive Notes", "my alias book"}) {
    std::filesystem::create_directory(Path(folder));
    const std::string table =
        Create(std::string(folder) + "/t.dbf", "NAME,C,10,0;TEXT,M", "NAME,F,F,name");
    Append(table, Json::parse(R"([{"NAME": "fig", "_deleted": true, "TEXT": "dried"},
                                  {"NAME": "apple", "TEXT": "crisp"}])"));
    EXPECT_TRUE(Has(RunOk({"info", table}).out, "Table:            " + table)) << folder;
    EXPECT_TRUE(Has(RunOk({"pack", table}).out, "1 records kept, 1 removed")) << folder;
    EXPECT_EQ(Column(Dump(table, {"--order", "NAME"}), "TEXT"), std::vector<Json>{"crisp"});
    EXPECT_EQ(Run({"check", table}).exitCode, 0) << folder;
  }
}

TEST_F(PwdbfCommands, PackAndReindexRefuseWhileAnotherProgramHasTheTableOpen) {
  const std::string before = ReadFile(table_);
  platform::File other;
  ASSERT_EQ(other.Open(table_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
  for (const char* command : {"pack", "reindex"}) {
    const ToolRun run = Run({command, table_});
    EXPECT_EQ(run.exitCode, 1) << command;
    EXPECT_TRUE(Has(run.err, table_ + ": in use by another program")) << run.err;
  }
  EXPECT_EQ(ReadFile(table_), before);
  other.Close();
  EXPECT_EQ(Run({"pack", table_}).exitCode, 0);
}

TEST_F(PwdbfCommands, AppendRefusesWhileAnotherProgramHoldsTheAppendLock) {
  platform::File other;
  ASSERT_EQ(other.Open(table_, platform::Access::ReadWrite, platform::Sharing::Shared), 0);
  ASSERT_EQ(other.LockRegion(AppendLockOffset(), 1), 0);
  const ToolRun run = Run({"append", table_, "--json", "-"}, "{\"NAME\": \"lime\"}");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, "append lock is held by another program")) << run.err;
  ASSERT_EQ(other.UnlockRegion(AppendLockOffset(), 1), 0);
  RunOk({"append", table_, "--json", "-"}, "{\"NAME\": \"lime\"}");
  EXPECT_EQ(Dump(table_).size(), 4u);
}

TEST_F(PwdbfCommands, ReadingCommandsWriteNothingAndWorkBesideAnExclusiveWriter) {
  const std::string dbf = ReadFile(table_);
  const std::string dbt = ReadFile(Path("t.dbt"));
  const std::string mdx = ReadFile(Path("t.mdx"));
  RunOk({"info", table_});
  RunOk({"dump", table_, "--order", "NAME"});
  RunOk({"check", table_});
  RunOk({"eval", table_, "name"});
  EXPECT_EQ(ReadFile(table_), dbf);
  EXPECT_EQ(ReadFile(Path("t.dbt")), dbt);
  EXPECT_EQ(ReadFile(Path("t.mdx")), mdx);
  EXPECT_FALSE(std::filesystem::exists(Path("t.@S@"))) << "no index semaphore file";
  platform::File writer;
  ASSERT_EQ(writer.Open(table_, platform::Access::ReadWrite, platform::Sharing::Exclusive), 0);
  const ToolRun run = Run({"dump", table_});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, table_)) << run.err;
  EXPECT_TRUE(Has(run.err, "Error # 32")) << run.err;
}

TEST_F(PwdbfCommands, CreateRefusesABadDefinitionAndWritesNothing) {
  const std::string table = Path("bad.dbf");
  ToolRun run = Run({"create", table, "--fields", "NAME,X,10"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(table));
  run = Run({"create", table, "--fields", "NAME,C,10", "--index", "TAG,Q,F,name"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, "T or F")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(table));
}

TEST_F(PwdbfCommands, MissingTablesAreNamedInTheMessage) {
  const ToolRun run = Run({"info", Path("none.dbf")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Has(run.err, "pwdbf info: " + Path("none.dbf") + ": Error # 2")) << run.err;
}

class PwdbfUsage : public PwdbfTest {};

TEST_F(PwdbfUsage, EverySubcommandHasHelpAndRefusesUnknownOptions) {
  for (const char* command :
       {"info", "dump", "check", "reindex", "pack", "create", "append", "eval"}) {
    const ToolRun help = Run({command, "--help"});
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_TRUE(Has(help.out, std::string("usage: pwdbf ") + command)) << help.out;
    const ToolRun wrong = Run({command, "x.dbf", "y", "z", "--bogus"});
    EXPECT_EQ(wrong.exitCode, 2) << command;
    EXPECT_TRUE(Has(wrong.err, std::string("pwdbf ") + command + ": ")) << wrong.err;
  }
  EXPECT_EQ(Run({"frobnicate"}).exitCode, 2);
  EXPECT_TRUE(Has(Run({"--help"}).out, "pwdbf dump TABLE"));
}

}  // namespace
}  // namespace pw::testing
