// pwdbf dump: values of every field type, record selection and order, CSV,
// and the conversion of stored text to UTF-8.
#include <algorithm>

#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

class PwdbfDump : public PwdbfTest {
 protected:
  void SetUp() override {
    table_ = Create("people.dbf", "NAME,C,20,0;AMOUNT,N,8,2;COUNT,N,5,0;BORN,D;OK,L;TEXT,M",
                    "NAME,F,F,upper(name);AMT,T,F,amount FOR ok");
    Append(table_, Json::parse(R"([
      {"NAME": "Zoë", "AMOUNT": 12.5, "COUNT": 7, "BORN": "1850-03-04", "OK": true,
       "TEXT": "line one\r\nline two €"},
      {"NAME": "adam", "AMOUNT": 1, "BORN": null, "OK": false},
      {"NAME": "Bea, \"B\"", "AMOUNT": -3.25, "OK": true, "_deleted": true},
      {"NAME": "carl", "AMOUNT": 40, "OK": true}
    ])"));
  }

  std::string table_;
};

TEST_F(PwdbfDump, WritesEveryRecordWithTypedValuesInRecordOrder) {
  const std::vector<Json> records = Dump(table_);
  ASSERT_EQ(records.size(), 4u);
  const Json& first = records[0];
  EXPECT_EQ(first["_recno"], 1);
  EXPECT_EQ(first["_deleted"], false);
  EXPECT_EQ(first["NAME"], "Zoë") << "trailing blanks removed, OEM text back as UTF-8";
  EXPECT_DOUBLE_EQ(first["AMOUNT"].get<double>(), 12.5);
  EXPECT_EQ(first["COUNT"], 7);
  EXPECT_TRUE(first["COUNT"].is_number_integer());
  EXPECT_EQ(first["BORN"], "1850-03-04") << "a year of another century survives";
  EXPECT_EQ(first["OK"], true);
  EXPECT_EQ(first["TEXT"], "line one\r\nline two €");
  EXPECT_TRUE(records[1]["BORN"].is_null());
  EXPECT_EQ(records[1]["OK"], false);
  EXPECT_EQ(records[1]["TEXT"], "") << "no memo text";
  EXPECT_EQ(records[2]["_deleted"], true) << "deleted records are included";
  EXPECT_EQ(Column(records, "_recno"), (std::vector<Json>{1, 2, 3, 4}));
}

TEST_F(PwdbfDump, KeepsTheFieldsInTableOrder) {
  const Json record = Dump(table_)[0];
  std::vector<std::string> names;
  for (const auto& [name, value] : record.items()) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"_recno", "_deleted", "NAME", "AMOUNT", "COUNT",
                                             "BORN", "OK", "TEXT"}));
}

TEST_F(PwdbfDump, ShowsBlankStoredValuesAsNull) {
  const std::string table = Create("blank.dbf", "N,N,6,1;D,D;L,L;C,C,3");
  // One record of blanks, written the way another program may leave it.
  std::string bytes = ReadFile(table);
  const std::size_t end = bytes.size() - 1;  // before the end marker
  bytes.insert(end, std::string(1 + 6 + 8 + 1 + 3, ' '));
  bytes[4] = 1;  // record count
  WriteFile(table, bytes);
  const std::vector<Json> records = Dump(table);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(records[0]["N"].is_null());
  EXPECT_TRUE(records[0]["D"].is_null());
  EXPECT_TRUE(records[0]["L"].is_null());
  EXPECT_EQ(records[0]["C"], "");
}

TEST_F(PwdbfDump, LiveLeavesOutDeletedRecords) {
  EXPECT_EQ(Column(Dump(table_, {"--live"}), "_recno"), (std::vector<Json>{1, 2, 4}));
}

TEST_F(PwdbfDump, OrderFollowsTheTagAndLeavesOutRecordsOutsideItsForCondition) {
  EXPECT_EQ(Column(Dump(table_, {"--order", "name"}), "_recno"), (std::vector<Json>{2, 3, 4, 1}))
      << "ADAM, BEA, CARL, ZOË";
  EXPECT_EQ(Column(Dump(table_, {"--order", "AMT"}), "_recno"), (std::vector<Json>{4, 1, 3}))
      << "descending amounts, record 2 (not OK) left out";
  EXPECT_EQ(Column(Dump(table_, {"--order", "AMT", "--live"}), "_recno"),
            (std::vector<Json>{4, 1}));
}

TEST_F(PwdbfDump, FilterAndFieldsSelectRecordsAndValues) {
  const std::vector<Json> records = Dump(table_, {"--filter", "amount > 5", "--fields", "ok,name"});
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(Column(records, "_recno"), (std::vector<Json>{1, 4}));
  EXPECT_EQ(records[1].size(), 4u) << records[1].dump();
  EXPECT_EQ(records[1]["NAME"], "carl");
  EXPECT_FALSE(records[1].contains("AMOUNT"));
}

TEST_F(PwdbfDump, CsvHasAHeaderLineAndQuotesWhereNeeded) {
  const ToolRun run = RunOk({"dump", table_, "--format", "csv", "--fields", "NAME,BORN,OK"});
  EXPECT_EQ(run.out,
            "_recno,_deleted,NAME,BORN,OK\r\n"
            "1,false,Zoë,1850-03-04,true\r\n"
            "2,false,adam,,false\r\n"
            "3,true,\"Bea, \"\"B\"\"\",,true\r\n"
            "4,false,carl,,true\r\n");
}

TEST_F(PwdbfDump, StoresOemTextAndReadsItBackAsUtf8) {
  const std::string bytes = ReadFile(table_);
  EXPECT_NE(bytes.find("Zo\x89"), std::string::npos) << "ë is 0x89 in code page 850";
  // Read as ANSI, the same byte is Windows-1252's 0x89, the per mille sign.
  EXPECT_EQ(Dump(table_, {"--ansi", "--fields", "NAME"})[0]["NAME"], "Zo‰");
}

TEST_F(PwdbfDump, AnsiTablesKeepWindows1252Bytes) {
  const std::string table = Path("ansi.dbf");
  RunOk({"create", table, "--fields", "NAME,C,10,0", "--ansi"});
  EXPECT_EQ(ReadFile(table).at(29), 0x03) << "language byte: Windows-1252";
  EXPECT_EQ(ReadFile(table_).at(29), 0x02) << "language byte: code page 850";
  const std::string file = Path("ansi.json");
  WriteFile(file, R"({"NAME": "Zoë €"})");
  RunOk({"append", table, "--json", file, "--ansi"});
  EXPECT_NE(ReadFile(table).find("Zo\xEB \x80"), std::string::npos);
  EXPECT_EQ(Dump(table, {"--ansi"})[0]["NAME"], "Zoë €");
}

TEST_F(PwdbfDump, RefusesAnUnknownTagOrField) {
  ToolRun run = Run({"dump", table_, "--order", "NOSUCH"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("NOSUCH"), std::string::npos) << run.err;
  run = Run({"dump", table_, "--fields", "NAME,NOPE"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("no field named NOPE"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace pw::testing
