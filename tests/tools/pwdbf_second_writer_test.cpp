// Free Pascal's TDbf as a second writer (tests/oracle/tdbf_writer.pas):
// TDbf appends to tables pwdbf made and pwdbf to tables TDbf made, each
// side walking every tag complete and in the same order afterwards, and
// the index's block count (offset 32) is the file's length after each step.
#include <filesystem>
#include <map>
#include <sstream>

#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

using Walks = std::map<std::string, std::vector<int>>;

class PwdbfSecondWriter : public PwdbfTest {
 protected:
  void SetUp() override {
#ifndef TDBF_WRITER
    GTEST_SKIP() << "fpc or TDbf (fp-compiler, fp-units-db) is not installed";
#endif
  }

  ToolRun Tdbf(const std::vector<std::string>& arguments) const {
#ifdef TDBF_WRITER
    std::vector<std::string> words = {TDBF_WRITER};
    words.insert(words.end(), arguments.begin(), arguments.end());
    ToolRun run = RunProgram(std::move(words));
    EXPECT_EQ(run.exitCode, 0) << "tdbf_writer " << arguments[0] << ": " << run.err;
    return run;
#else
    return {};
#endif
  }

  // TDbf's walk of every tag: the record numbers in the tag's order.
  Walks TdbfWalks(const std::string& table) const {
    Walks walks;
    std::istringstream lines(Tdbf({"walk", table}).out);
    std::string marker, tag;
    while (lines >> marker >> tag) {
      std::string rest;
      std::getline(lines, rest);
      std::istringstream records(rest);
      for (int record = 0; records >> record;) walks[tag].push_back(record);
    }
    return walks;
  }

  // Ours, through pwdbf dump in each tag's order.
  Walks OurWalks(const std::string& table, const Walks& tags) const {
    Walks walks;
    for (const auto& [tag, records] : tags) {
      for (const Json& record : Dump(table, {"--order", tag, "--ansi", "--fields", "NAME"})) {
        walks[tag].push_back(record["_recno"].get<int>());
      }
    }
    return walks;
  }

  // Perl XBase's walk of every tag of the table's index.
  Walks XbaseWalks(const std::string& table) const {
    const ToolRun run =
        RunProgram({"/usr/bin/perl", std::string(ORACLE_SCRIPTS) + "/read_xbase.pl", table});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    Walks walks;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream words(line);
      std::string kind, tag;
      int record = 0;
      if (words >> kind >> tag >> record && kind == "K") walks[tag].push_back(record);
    }
    return walks;
  }

  // Offset 32 of the index against the index file's 512-byte blocks.
  void ExpectBlockCountIsTheFileLength(const std::string& table, const std::string& step) const {
    const std::string index = table.substr(0, table.size() - 3) + "mdx";
    const std::string bytes = ReadFile(index);
    ASSERT_GE(bytes.size(), 36u);
    std::uint32_t count = 0;
    for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<unsigned char>(bytes[32 + i]);
    EXPECT_EQ(count, bytes.size() / 512) << step;
  }

  void ExpectCheckIsClean(const std::string& table, const std::string& step) const {
    const ToolRun run = Run({"check", table, "--ansi"});
    EXPECT_EQ(run.exitCode, 0) << step << ": " << run.out << run.err;
  }
};

// Records numbered from `first` with texts that mix case and accents, as
// tdbf_writer writes them, each with a memo.
Json NumberedRecords(int first, int count) {
  static const char* const kStems[] = {"álvaro", "Álvaro", "alvaro", "Alvaro", "zoë",   "Zoe",
                                       "émile",  "Emile",  "çava",   "Cava",   "ñandu", "Nandu"};
  Json records = Json::array();
  for (int n = first; n < first + count; ++n) {
    const std::string number = std::to_string(n);
    std::string city = kStems[n * 7 % 12] + number;
    records.push_back(
        {{"NAME", kStems[n % 12] + (" " + number)},
         {"TITLE", std::to_string(n * 7919 % 1000) + " " + kStems[n * 5 % 12] + " " + number},
         {"CITY", city},
         {"NUM", n * 7919 % 100003},
         {"NOTE", "memo of " + number}});
  }
  return records;
}

TEST_F(PwdbfSecondWriter, TdbfAppendsToOurTablesAndEveryReaderWalksTheSameTags) {
  const std::string table = Path("ours.dbf");
  RunOk({"create", table, "--fields", "NAME,C,30,0;TITLE,C,40,0;NUM,N,8,0;NOTE,M", "--index",
         "NAME,F,F,NAME;TITLE,F,F,TITLE;NUM,F,F,NUM", "--ansi"});
  ExpectBlockCountIsTheFileLength(table, "create");
  Tdbf({"append", table, "200", "1"});
  ExpectBlockCountIsTheFileLength(table, "TDbf's append");
  ExpectCheckIsClean(table, "TDbf's append");
  const Walks tdbf = TdbfWalks(table);
  ASSERT_EQ(tdbf.size(), 3u);
  for (const auto& [tag, records] : tdbf) EXPECT_EQ(records.size(), 200u) << tag;
  EXPECT_EQ(OurWalks(table, tdbf), tdbf);
  EXPECT_EQ(XbaseWalks(table), tdbf);
}

TEST_F(PwdbfSecondWriter, WeAppendToTdbfTablesInTheirLanguagesOrderAndTdbfAppendsAgain) {
  for (const char* language : {"88", "87"}) {  // 0x58 Western European, 0x57 binary
    const std::string table = Path(std::string("tdbf") + language + ".dbf");
    Tdbf({"create", table, language});
    const bool western = std::string(language) == "88";
    EXPECT_NE(RunOk({"info", table})
                  .out.find(western ? "0x58 (C keys in Windows-1252 Western"
                                    : "0x57 (C keys in byte order)"),
              std::string::npos);
    Tdbf({"append", table, "20", "1"});
    ExpectBlockCountIsTheFileLength(table, "TDbf's first append");
    const std::string records = Path(".second.json");
    WriteFile(records, NumberedRecords(1000, 500).dump());
    RunOk({"append", table, "--json", records, "--ansi"});
    ExpectBlockCountIsTheFileLength(table, "our append");
    ExpectCheckIsClean(table, "our append");
    const Walks walked = TdbfWalks(table);
    ASSERT_EQ(walked.size(), 5u) << language;
    for (const auto& [tag, order] : walked) EXPECT_EQ(order.size(), 520u) << language << tag;
    EXPECT_EQ(OurWalks(table, walked), walked) << language;
    Tdbf({"append", table, "30", "3000"});
    ExpectBlockCountIsTheFileLength(table, "TDbf's second append");
    ExpectCheckIsClean(table, "TDbf's second append");
    for (const auto& [tag, order] : TdbfWalks(table)) {
      EXPECT_EQ(order.size(), 550u) << language << tag;
    }
  }
}

}  // namespace
}  // namespace pw::testing
