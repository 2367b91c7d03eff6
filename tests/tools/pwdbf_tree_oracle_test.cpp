// A tree this engine rebuilt, read by an independent reader: Perl's XBase
// module walks every key of a tag with 65 leaves (a last lone leaf, branches
// one key short of the maximum) in the order pwdbf dump gives.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

// The index reader of Perl's XBase module, printing the record number of
// every key of a tag in key order (keys are binary, so only the numbers).
constexpr const char* kOracleModule = "/usr/share/perl5/XBase/Index.pm";
constexpr const char* kOracleWalk =
    "perl -MXBase::Index -e 'my $i = XBase::Index->new($ARGV[0], tag => $ARGV[1]) "
    "or die XBase::Index->errstr; $i->prepare_select or die $i->errstr; "
    "while (my @item = $i->fetch) { print \"$item[1]\\n\" }'";

std::vector<int> OracleRecords(const std::string& index, const std::string& tag) {
  const std::string command = std::string(kOracleWalk) + " '" + index + "' " + tag;
  std::vector<int> records;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    ADD_FAILURE() << "cannot run " << command;
    return records;
  }
  char line[64];
  while (std::fgets(line, sizeof line, pipe) != nullptr) records.push_back(std::atoi(line));
  EXPECT_EQ(pclose(pipe), 0) << command;
  return records;
}

class PwdbfTreeOracle : public PwdbfTest {};

TEST_F(PwdbfTreeOracle, RebuiltTreeWalksInFullThroughAnotherReader) {
  if (!std::filesystem::exists(kOracleModule)) GTEST_SKIP() << "libdbd-xbase-perl is not installed";
  const std::string table = Create("big.dbf", "NUM,N,6,0", "NUM,F,F,num");
  Json records = Json::array();
  // 64 full leaves of 63 keys and one of a single key.
  for (int r = 1; r <= 4033; ++r) records.push_back({{"NUM", r * 7 % 4099}});
  Append(table, records);
  RunOk({"reindex", table});
  std::vector<int> ours;
  for (const Json& record : Dump(table, {"--order", "NUM", "--fields", "NUM"})) {
    ours.push_back(record["_recno"].get<int>());
  }
  ASSERT_EQ(ours.size(), 4033u);
  EXPECT_EQ(OracleRecords(Path("big.mdx"), "NUM"), ours);
}

}  // namespace
}  // namespace pw::testing
