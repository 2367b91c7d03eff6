#include "platform/file_lookup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace pw::platform {
namespace {

class FileLookup : public ::testing::Test {
 protected:
  void Touch(const std::string& name) { std::ofstream(dir_.file(name)) << "x"; }

  test::TempDir dir_;
};

TEST_F(FileLookup, FindsAFileWhoseNameDiffersInCase) {
  Touch("Notes.dbf");
  EXPECT_EQ(ResolvePathNoCase(dir_.file("notes.DBF")), dir_.file("Notes.dbf"));
  EXPECT_EQ(ResolvePathNoCase(dir_.file("NOTES.DBF")), dir_.file("Notes.dbf"));
}

TEST_F(FileLookup, PrefersTheExactName) {
  Touch("config.cfg");
  Touch("Config.cfg");
  EXPECT_EQ(ResolvePathNoCase(dir_.file("config.cfg")), dir_.file("config.cfg"));
  EXPECT_EQ(ResolvePathNoCase(dir_.file("Config.cfg")), dir_.file("Config.cfg"));
}

TEST_F(FileLookup, PicksTheSmallestNameAmongSeveralLooseMatches) {
  Touch("notes.dbf");
  Touch("Notes.dbf");
  EXPECT_EQ(ResolvePathNoCase(dir_.file("NOTES.DBF")), dir_.file("Notes.dbf"));
}

TEST_F(FileLookup, ReturnsThePathUnchangedWhenNothingMatches) {
  Touch("notes.dbt");
  EXPECT_EQ(ResolvePathNoCase(dir_.file("notes.dbf")), dir_.file("notes.dbf"));
  EXPECT_EQ(ResolvePathNoCase(dir_.file("missing/notes.dbf")), dir_.file("missing/notes.dbf"));
}

TEST_F(FileLookup, DoesNotMatchLongerOrShorterNames) {
  Touch("notes.dbf.bak");
  Touch("notes.db");
  EXPECT_EQ(ResolvePathNoCase(dir_.file("NOTES.DBF")), dir_.file("NOTES.DBF"));
}

TEST_F(FileLookup, FoldsOnlyAsciiLetters) {
  Touch("\xC9t\xE9.dbf");  // Windows-1252 capital and small e acute
  EXPECT_EQ(ResolvePathNoCase(dir_.file("\xC9T\xE9.DBF")), dir_.file("\xC9t\xE9.dbf"));
  EXPECT_EQ(ResolvePathNoCase(dir_.file("\xE9t\xE9.dbf")), dir_.file("\xE9t\xE9.dbf"));
}

TEST_F(FileLookup, BareNameIsLookedUpInTheCurrentFolder) {
  Touch("Config.cfg");
  const std::string previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_.path());
  const std::string found = ResolvePathNoCase("CONFIG.CFG");
  std::filesystem::current_path(previous);
  EXPECT_EQ(found, "Config.cfg");
}

TEST_F(FileLookup, FileExistsOnlyForEntriesThatAreNotFolders) {
  Touch("a.txt");
  ASSERT_EQ(mkdir(dir_.file("sub").c_str(), 0755), 0);
  EXPECT_TRUE(FileExists(dir_.file("a.txt")));
  EXPECT_FALSE(FileExists(dir_.file("A.TXT")));
  EXPECT_FALSE(FileExists(dir_.file("sub")));
  EXPECT_FALSE(FileExists(dir_.file("none")));
}

}  // namespace
}  // namespace pw::platform
