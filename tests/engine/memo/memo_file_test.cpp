// Creating, opening and closing memo files of each kind.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/error_state.h"
#include "engine/memo/memo_file.h"
#include "engine/memo/memo_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "memo_test_support.h"

namespace pw::testing {
namespace {

class MemoFileTest : public MemoTest {};

TEST_F(MemoFileTest, NewFilesHaveTheHeaderOfTheirKind) {
  ASSERT_TRUE(CreateMemofile(Path("three"), 0x83, 512, "test"));
  const Bytes three = ReadBytes(Path("three.DBT"));
  ASSERT_EQ(three.size(), 513u);
  EXPECT_EQ(Le32(three, 0), 1u);
  EXPECT_EQ(three[512], 0x1A);

  ASSERT_TRUE(CreateMemofile(Path("fourfourfour.dbt"), 0x8B, 1024, "test"));
  const Bytes four = ReadBytes(Path("fourfourfour.dbt"));
  ASSERT_EQ(four.size(), 24u);
  EXPECT_EQ(Le32(four, 0), 1u);
  EXPECT_EQ(std::string(four.begin() + 8, four.begin() + 16), "fourfour");
  EXPECT_EQ(four[18], 2);
  EXPECT_EQ(four[19], 1);
  EXPECT_EQ(Le16(four, 20), 1024u);

  ASSERT_TRUE(CreateMemofile(Path("fox"), 0xF5, 64, "test"));
  const Bytes fox = ReadBytes(Path("fox.FPT"));
  ASSERT_EQ(fox.size(), 512u);
  EXPECT_EQ(fox[3], 8);  // 511 div 64 + 1, big-endian
  EXPECT_EQ(fox[7], 64);
}

TEST_F(MemoFileTest, CreateFailureNamesTheFileAndOperation) {
  EXPECT_FALSE(CreateMemofile(Path("missing/x.dbt"), 0x8B, 512, "CreateDbf()"));
  EXPECT_EQ(EngineErrorCode(), 3);
  EXPECT_EQ(Detail(), "Cannot create memo file " + Path("missing/x.dbt") + " [CreateDbf()]");
}

TEST_F(MemoFileTest, MemoTypeFollowsTheVersionByte) {
  for (MemoKind kind : {MemoKind::Dbase3, MemoKind::Dbase4, MemoKind::FoxPro}) {
    Open(MakeTable("k" + std::to_string(static_cast<int>(kind)), kind));
    EXPECT_EQ(GetMemoType(), VersionOf(kind));
    EXPECT_EQ(MemoOf(CurrentArea())->kind, kind);
  }
  const std::string plain = Path("plain.dbf");
  WriteBytes(plain, DbfBytes(0x03, {{"NAME", 'C', 10}}));
  Open(plain);
  EXPECT_EQ(GetMemoType(), 0x8B);
}

TEST_F(MemoFileTest, MemoFileIsFoundInAnyCase) {
  const std::string table = MakeTable("Notes", MemoKind::Dbase4);
  std::filesystem::rename(Path("Notes.dbt"), Path("NOTES.DBT"));
  Open(table);
  EXPECT_EQ(MemoOf(CurrentArea())->path, Path("NOTES.DBT"));
}

TEST_F(MemoFileTest, MissingMemoFileRefusesTheOpen) {
  const std::string table = MakeTable("t", MemoKind::Dbase4);
  std::filesystem::remove(Path("t.dbt"));
  EXPECT_FALSE(Use(table));
  EXPECT_EQ(EngineErrorCode(), 2);
  EXPECT_FALSE(CurrentArea().occupied);
}

TEST_F(MemoFileTest, SecondOpenOfTheMemoFileIsRefused) {
  Open(MakeTable("t", MemoKind::Dbase4));
  EXPECT_EQ(OpenMemofile(CurrentArea()), 1007);
  EXPECT_EQ(Detail(), Path("t.dbt") + " [USE]");
  EXPECT_TRUE(CloseMemofile(CurrentArea()));
  EXPECT_EQ(MemoOf(CurrentArea()), nullptr);
}

}  // namespace
}  // namespace pw::testing
