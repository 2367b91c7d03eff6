// The date options of pwdbf (--date, --century, the epoch year of two-digit
// years) and numbers as the tool writes and shows them.
#include <ctime>

#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

int ThisYear() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return parts.tm_year + 1900;
}

class PwdbfDates : public PwdbfTest {
 protected:
  // The tag of another dBASE program: 6 + 8 + 5 = 19 characters with the
  // century off, 21 with it on.
  std::string Orders(const std::string& name, const std::string& century) {
    const std::string path = Path(name);
    RunOk({"create", path, "--fields", "CUST_ID,C,6;DATE_TRANS,D;PO_NUMBER,C,5", "--index",
           "ORDERS,F,F,cust_id+DTOC(date_trans)+po_number", "--century", century});
    WriteFile(Path("orders.json"), R"([
      {"CUST_ID": "C2", "DATE_TRANS": "2024-03-07", "PO_NUMBER": "P1"},
      {"CUST_ID": "C1", "DATE_TRANS": "1999-12-31", "PO_NUMBER": "P2"},
      {"CUST_ID": "C1", "DATE_TRANS": "1850-01-02", "PO_NUMBER": "P3"}
    ])");
    RunOk({"append", path, "--json", Path("orders.json"), "--century", century});
    return path;
  }
};

TEST_F(PwdbfDates, DtocTagWrittenWithTheCenturyOffOpensWithTheDefaults) {
  const std::string table = Orders("orders.dbf", "off");
  EXPECT_TRUE(Has(RunOk({"info", table}).out, "key type:   C 19"));
  // American order, two-digit years: 01/02/50 sorts before 12/31/99.
  const std::vector<Json> records = Dump(table, {"--order", "ORDERS"});
  EXPECT_EQ(Column(records, "PO_NUMBER"), (std::vector<Json>{"P3", "P2", "P1"}));
  EXPECT_EQ(Column(records, "DATE_TRANS")[0], "1850-01-02");  // the century is kept
  EXPECT_TRUE(Has(RunOk({"check", table}).out, "no problems found"));

  const ToolRun refused = Run({"dump", table, "--order", "ORDERS", "--century", "on"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(Has(refused.err, "Error # 266")) << refused.err;
  EXPECT_TRUE(Has(refused.err,
                  "tag ORDERS has DTOC() in its key, 19 characters long: "
                  "try --century off"))
      << refused.err;
}

TEST_F(PwdbfDates, DtocTagWrittenWithTheCenturyOnNamesTheOptionUnderTheDefaults) {
  const std::string table = Orders("orders4.dbf", "on");
  const ToolRun refused = Run({"dump", table, "--order", "ORDERS"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(Has(refused.err, "21 characters long: try --century on")) << refused.err;
  EXPECT_EQ(Dump(table, {"--order", "ORDERS", "--century", "on"}).size(), 3u);
}

TEST_F(PwdbfDates, LayoutsAndTheEpochYear) {
  const std::string table = Orders("layouts.dbf", "off");
  auto value = [&](const std::vector<std::string>& options) {
    std::vector<std::string> words = {"eval", table, "DTOC(date_trans)", "--record", "1"};
    words.insert(words.end(), options.begin(), options.end());
    const std::string out = RunOk(words).out;
    const std::size_t at = out.find("value:    ") + 10;
    return out.substr(at, out.find('\n', at) - at);
  };
  EXPECT_EQ(value({}), "\"03/07/24\"");
  EXPECT_EQ(value({"--date", "german", "--century", "on"}), "\"07.03.2024\"");
  EXPECT_EQ(value({"--date", "japan"}), "\"24/03/07\"");
  EXPECT_EQ(value({"--date", "ymd", "--century", "on"}), "\"2024/03/07\"");
  EXPECT_EQ(value({"--date", "usa"}), "\"03-07-24\"");
  EXPECT_EQ(value({"--date", "italian"}), "\"07-03-24\"");
  EXPECT_EQ(value({"--date=ansi"}), "\"24.03.07\"");
  EXPECT_EQ(value({"--date", "french"}), "\"07/03/24\"");

  // Two-digit years belong to the hundred years from this year minus 70.
  const int epoch = ThisYear() - 70;
  const int year55 = (55 < epoch % 100 ? epoch / 100 + 1 : epoch / 100) * 100 + 55;
  const ToolRun run = RunOk({"eval", table, "DTOS(CTOD(\"1/1/55\"))"});
  EXPECT_TRUE(Has(run.out, "value:    \"" + std::to_string(year55) + "0101\"")) << run.out;

  EXPECT_EQ(Run({"eval", table, "1", "--date", "martian"}).exitCode, 2);
  EXPECT_EQ(Run({"eval", table, "1", "--century", "maybe"}).exitCode, 2);
  EXPECT_TRUE(Has(RunOk({"dump", "--help"}).out, "--century on|off"));
}

TEST_F(PwdbfDates, NumbersAreWrittenWholeAndRoundedHalfAwayFromZero) {
  const std::string table = Create("n.dbf", "BIG,N,13,0;HUGE,N,16,0;P,N,5,2;Q,N,6,1");
  Append(table, Json::parse(R"([
    {"BIG": 4915112345678, "HUGE": 9007199254740993, "P": 0.125, "Q": -1.25},
    {"BIG": -999999999999, "HUGE": -1, "P": 2.675, "Q": 9999.94}
  ])"));
  const std::vector<Json> records = Dump(table);
  EXPECT_EQ(Column(records, "BIG"), (std::vector<Json>{4915112345678, -999999999999}));
  EXPECT_EQ(records[0]["HUGE"], 9007199254740993);
  EXPECT_TRUE(Has(ReadFile(table), "49151123456789007199254740993 0.13  -1.3"));
  EXPECT_TRUE(Has(ReadFile(table), "-999999999999" + std::string(14, ' ') + "-1 2.689999.9"));
  EXPECT_TRUE(
      Has(RunOk({"eval", table, "STR(2.5,3,0) + STR(-1.25,6,1)"}).out, "value:    \"  3  -1.3\""));
  EXPECT_TRUE(Has(RunOk({"eval", table, "big + 1"}).out, "value:    4915112345679"));
  EXPECT_EQ(Run({"append", table, "--json", "-"}, R"({"BIG": 10000000000000})").exitCode, 1);
}

}  // namespace
}  // namespace pw::testing
