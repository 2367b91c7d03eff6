// Creating tables: field normalisation, the bytes of a fresh file, memo
// tables and replacing an existing file.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/date_text.h"
#include "common/error_state.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

using CreateDbfTest = TableTest;

TEST_F(CreateDbfTest, FieldDefinitionsAreNormalised) {
  const std::string path =
      Create("norm", {Field(" remindDate ", 'd', 10), Field("NOTES", 'M', 4), Field("FLAG", 'L', 7),
                      Field("INITIAL", 'C', 1), Field("AMOUNT", 'N', 15, 2),
                      Field("A_VERY_LONG_NAME", 'C', 3, 2)});
  ASSERT_TRUE(Use(path)) << Detail();
  const std::vector<FieldDef>& fields = CurrentArea().fields;
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[0].name, "REMINDDATE");
  EXPECT_EQ(fields[0].type, 'D');
  EXPECT_EQ(fields[0].length, 8);
  EXPECT_EQ(fields[1].length, 10);
  EXPECT_EQ(fields[2].length, 1);
  EXPECT_EQ(fields[3].length, 1);
  EXPECT_EQ(fields[4].length, 15);
  EXPECT_EQ(fields[4].decimals, 2);
  EXPECT_EQ(fields[5].name, "A_VERY_LON");
  EXPECT_EQ(fields[5].decimals, 0);
  EXPECT_EQ(CurrentArea().recordLength, 1 + 8 + 10 + 1 + 1 + 15 + 3);
}

TEST_F(CreateDbfTest, BadDefinitionsWriteNothing) {
  const std::vector<std::vector<FieldDef>> bad = {
      {Field("NAME", 'C', 0)}, {Field("   ", 'C', 5)}, {Field("COUNT", 'I', 4)}, {}};
  for (const auto& fields : bad) {
    EXPECT_FALSE(CreateDBF(Path("bad"), static_cast<int>(fields.size()), fields));
    EXPECT_EQ(EngineErrorCode(), 211);
    EXPECT_EQ(Detail(), "Invalid dBASE field definition [CreateDBF]");
    EXPECT_FALSE(std::filesystem::exists(Path("bad.dbf")));
  }
}

TEST_F(CreateDbfTest, FreshFileIsHeaderPlusEndMarkerWithTodayAndNoRecords) {
  const std::string path = Create("fresh", {Field("NAME", 'C', 20), Field("AGE", 'N', 3)});
  const Bytes bytes = ReadBytes(path);
  const std::size_t headerLength = 32 + 2 * 32 + 1;
  ASSERT_EQ(bytes.size(), headerLength + 1);
  EXPECT_EQ(bytes.back(), 0x1A);
  EXPECT_EQ(bytes[headerLength - 1], 0x0D);
  EXPECT_EQ(bytes[0], 0x03);
  EXPECT_EQ(Le16(bytes, 8), headerLength);
  EXPECT_EQ(Le16(bytes, 10), 1 + 20 + 3);
  EXPECT_EQ(Le32(bytes, 4), 0u);
  const TodayDate today = TodayParts();
  EXPECT_EQ(bytes[1], today.year - 1900);
  EXPECT_EQ(bytes[2], today.month);
  EXPECT_EQ(bytes[3], today.day);
  for (std::size_t i = 12; i < 32; ++i) {
    if (i != 29) {
      EXPECT_EQ(bytes[i], 0) << i;
    }
  }
}

// Byte 29, the language driver id, tells readers the code page of the text:
// 0x02 code page 850, 0x03 Windows-1252. A table's own byte is kept.
TEST_F(CreateDbfTest, LanguageByteNamesTheCodePageAndATablesOwnByteIsKept) {
  EXPECT_EQ(ReadBytes(Create("oem", {Field("NAME", 'C', 5)}))[29], 0x02);
  ASSERT_TRUE(CreateDBF(Path("ansi"), 1, {Field("NAME", 'C', 5)}, false)) << Detail();
  EXPECT_EQ(ReadBytes(Path("ansi.dbf"))[29], 0x03);

  Bytes foreign = DbfBytes(0x03, {{"NAME", 'C', 5}}, {" first"});
  foreign[29] = 0x57;
  WriteBytes(Path("foreign.dbf"), foreign);
  ASSERT_TRUE(Use(Path("foreign.dbf") + " EXCLUSIVE")) << Detail();
  ASSERT_TRUE(Append()) << Detail();
  CloseWorkArea();
  const Bytes bytes = ReadBytes(Path("foreign.dbf"));
  EXPECT_EQ(Le32(bytes, 4), 2u);
  EXPECT_EQ(bytes[29], 0x57);
}

TEST_F(CreateDbfTest, MemoFieldMakesADbase4MemoTable) {
  const std::string path = Create("memo.dbf", {Field("TEXT", 'M', 10)});
  EXPECT_EQ(ReadBytes(path)[0], 0x8B);
}

TEST_F(CreateDbfTest, ExistingFileOfAnyCaseIsReplaced) {
  WriteBytes(Path("OLD.DBF"), Bytes(4000, 'x'));
  Create("old", {Field("NAME", 'C', 5)});
  EXPECT_FALSE(std::filesystem::exists(Path("old.dbf")));
  const Bytes bytes = ReadBytes(Path("OLD.DBF"));
  EXPECT_EQ(bytes.size(), 32u + 32 + 1 + 1);
  EXPECT_EQ(bytes[0], 0x03);
}

TEST_F(CreateDbfTest, NewTableIsCreatedWithLowerCaseExtension) {
  Create("Fresh", {Field("NAME", 'C', 5)});
  EXPECT_TRUE(std::filesystem::exists(Path("Fresh.dbf")));
}

}  // namespace
}  // namespace pw::testing
