#include <filesystem>
#include <fstream>

#include "common/error_state.h"
#include "dataset/index_list_lines.h"
#include "dataset_test_support.h"
#include "engine/table/production_index_flag.h"
#include "engine/table/work_areas.h"

namespace pw::test {
namespace {

std::string IndexPath(const TempDir& dir, const std::string& base) {
  for (const char* ext : {".mdx", ".MDX"}) {
    if (std::filesystem::exists(dir.file(base + ext))) return dir.file(base + ext);
  }
  return {};
}

bool TableFlag(DbfTable& dbf) {
  Select(dbf.WorkArea());
  return ProductionIndexFlag();
}

TEST(IndexList, PairsBecomeTagsWithLimitsAndFlags) {
  const QString longKey = QString("k").repeated(300);
  const auto tags = IndexListTags({"VERYLONGTAGNAME,T,F," + longKey, "qty > 1", "SHORT,F,T,name",
                                   "", "BROKEN,T", "", "LONELY,F,F,name"});
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[0].name, "VERYLONGTA");
  EXPECT_TRUE(tags[0].descending);
  EXPECT_FALSE(tags[0].unique);
  EXPECT_EQ(tags[0].keyExpression.size(), 220u);
  EXPECT_EQ(tags[0].forExpression, "qty > 1");
  EXPECT_TRUE(tags[1].unique);
}

TEST(IndexList, ComparisonIgnoresCaseButNotCount) {
  EXPECT_TRUE(
      SameIndexList({"BOARD,F,F,upper(Noteboard)", ""}, {"board,f,f,UPPER(NOTEBOARD)", ""}));
  EXPECT_FALSE(SameIndexList({"BOARD,F,F,upper(Noteboard)", ""}, {"BOARD,F,F,upper(Noteboard)"}));
  EXPECT_FALSE(SameIndexList({"BOARD,F,F,noteboard", ""}, {"BOARD,F,F,upper(Noteboard)", ""}));
}

using DbfTableIndex = DatasetTest;

TEST_F(DbfTableIndex, DeletedIndexIsRebuiltAtTheNextOpen) {
  auto notes = NoteTable();
  notes->Open();
  notes->Close();
  const std::string index = IndexPath(dir_, "notes");
  ASSERT_FALSE(index.empty());
  std::filesystem::remove(index);
  int builds = 0;
  notes->OnAfterMakeIndex = [&](const QString&) { ++builds; };
  notes->Open();
  EXPECT_EQ(builds, 1);
  EXPECT_FALSE(IndexPath(dir_, "notes").empty());
  EXPECT_TRUE(notes->SetOrderToTag("HANDLE"));
}

TEST_F(DbfTableIndex, CorruptedIndexIsRebuilt) {
  auto notes = NoteTable();
  notes->Open();
  notes->Close();
  const std::string index = IndexPath(dir_, "notes");
  {
    std::ofstream out(index, std::ios::binary | std::ios::trunc);
    out << std::string(600, 'x');
  }
  QString builtName;
  notes->OnBeforeMakeIndex = [&](const QString& name, bool&) { builtName = name; };
  notes->Open();
  EXPECT_FALSE(builtName.isEmpty());
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_TRUE(notes->SetOrderToTag("BOARD"));
  EXPECT_EQ(notes->CurrentTag(), "BOARD");
}

TEST_F(DbfTableIndex, ExistingGoodIndexIsOnlyOpenedUnderNotFound) {
  auto notes = NoteTable();
  notes->Open();
  notes->Close();
  int builds = 0;
  notes->OnBeforeMakeIndex = [&](const QString&, bool&) { ++builds; };
  notes->Open();
  EXPECT_EQ(builds, 0);
  EXPECT_TRUE(notes->SetOrderToTag("SHOWING"));
}

TEST_F(DbfTableIndex, RefusingTheBuildLeavesNoIndexAndNoMark) {
  auto small = SmallTable();
  small->OnBeforeMakeIndex = [](const QString&, bool& canMake) { canMake = false; };
  small->Open();
  EXPECT_TRUE(IndexPath(dir_, "small").empty());
  EXPECT_FALSE(TableFlag(*small));
  EXPECT_FALSE(small->SetOrderToTag("NAME"));
}

TEST_F(DbfTableIndex, EmptyIndexListWithoutMarkOpensWithoutIndex) {
  auto small = SmallTable();
  small->SetIndexList({});
  small->Open();
  EXPECT_TRUE(small->Active());
  EXPECT_TRUE(IndexPath(dir_, "small").empty());
  EXPECT_FALSE(TableFlag(*small));
  EXPECT_EQ(small->CurrentTag(), "");
}

TEST_F(DbfTableIndex, VerifyHeaderRebuildsOnlyWhenTheTagsDiffer) {
  auto small = SmallTable();
  small->Open();
  small->Close();
  int builds = 0;
  small->OnAfterMakeIndex = [&](const QString&) { ++builds; };
  small->SetCreateIndex(IndexCreation::kVerifyHeader);
  small->SetIndexList({"name,f,f,UPPER(NAME)", ""});
  small->Open();
  small->Close();
  EXPECT_EQ(builds, 0);
  small->SetIndexList({"NAME,F,F,upper(name)", "", "QTY,T,F,qty", ""});
  small->Open();
  EXPECT_EQ(builds, 1);
  EXPECT_TRUE(small->SetOrderToTag("QTY"));
}

TEST_F(DbfTableIndex, AlwaysRebuildsAndShowsProgress) {
  auto small = SmallTable();
  small->Open();
  small->Close();
  small->SetCreateIndex(IndexCreation::kAlways);
  small->SetShowProgress(true);
  small->Open();
  ASSERT_EQ(ui_.progressCaptions.size(), 1);
  EXPECT_TRUE(ui_.progressCaptions[0].startsWith("Indexing "));
  EXPECT_TRUE(ui_.progressCaptions[0].endsWith(".mdx...", Qt::CaseInsensitive));
  EXPECT_GT(ui_.ticks, 0);
  EXPECT_EQ(ui_.finishes, 1);
}

TEST_F(DbfTableIndex, NeverOpensTheExistingIndexWithoutBuilding) {
  auto small = SmallTable();
  small->Open();
  small->Close();
  std::filesystem::remove(IndexPath(dir_, "small"));
  small->SetCreateIndex(IndexCreation::kNever);
  int builds = 0;
  small->OnBeforeMakeIndex = [&](const QString&, bool&) { ++builds; };
  small->Open();
  EXPECT_TRUE(small->Active());
  EXPECT_EQ(builds, 0);
  EXPECT_TRUE(IndexPath(dir_, "small").empty());
}

}  // namespace
}  // namespace pw::test
