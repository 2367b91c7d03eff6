// Opening record files made byte by byte: every refusal with its code and
// message, and the layouts that are accepted.
#include <gtest/gtest.h>

#include "common/code_page.h"
#include "common/error_state.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

class DbfHeaderTest : public TableTest {
 protected:
  // Writes `bytes` as t.dbf and opens it; returns whether Use succeeded.
  bool OpenBytes(const Bytes& bytes) {
    WriteBytes(Path("t.dbf"), bytes);
    return Use(Path("t.dbf"));
  }
  std::string StoredPath() const { return Upper(Path("t.dbf")); }
  void ExpectRefused(std::uint16_t code, const std::string& detail) {
    EXPECT_EQ(EngineErrorCode(), code);
    EXPECT_EQ(Detail(), detail);
    EXPECT_FALSE(CurrentArea().occupied);
    EXPECT_FALSE(CurrentArea().file.IsOpen());
  }
};

const std::vector<RawField> kNameField = {{"NAME", 'C', 10}};

TEST_F(DbfHeaderTest, FileShorterThanPrologIsNotADatabase) {
  EXPECT_FALSE(OpenBytes(Bytes(31, 0x03)));
  ExpectRefused(210, "T.DBF is not a dBASE database. (Prolog is less than 32 bytes) [USE/OpenDBF]");
}

TEST_F(DbfHeaderTest, UnknownVersionByteIsRefused) {
  Bytes bytes = DbfBytes(0x03, kNameField);
  bytes[0] = 0x30;
  EXPECT_FALSE(OpenBytes(bytes));
  ExpectRefused(210, "T.DBF is not a dBASE database.(Invalid version byte)+ [USE/OpenDBF]");
}

TEST_F(DbfHeaderTest, HeaderLengthWithoutFieldsOrWithTooManyIsRefused) {
  const std::string message =
      "T.DBF is not a dBASE database. (Number of fields is out of range) [Use/OpenDbf]";
  for (std::uint16_t headerLength : {32, 33, 32 + 32 * 256 + 1}) {
    Bytes bytes = DbfBytes(0x03, kNameField);
    bytes[8] = static_cast<unsigned char>(headerLength);
    bytes[9] = static_cast<unsigned char>(headerLength >> 8);
    EXPECT_FALSE(OpenBytes(bytes)) << headerLength;
    ExpectRefused(210, message);
  }
}

TEST_F(DbfHeaderTest, ExtraHeaderBytesAfterTerminatorAreIgnored) {
  ASSERT_TRUE(OpenBytes(DbfBytes(0x03, kNameField, {" Alice     "}, 64))) << Detail();
  const WorkArea& area = CurrentArea();
  ASSERT_EQ(area.fields.size(), 1u);
  EXPECT_EQ(area.headerLength, 32 + 32 + 1 + 64);
  EXPECT_EQ(std::string(area.raw.begin(), area.raw.end()), " Alice     ");
}

TEST_F(DbfHeaderTest, GeneralAndPictureFieldsOpenAsMemo) {
  ASSERT_TRUE(OpenBytes(DbfBytes(0x8B, {{"PIC", 'G', 10}, {"img", 'p', 10}, {"BIN", 'B', 10}})))
      << Detail();
  const WorkArea& area = CurrentArea();
  ASSERT_EQ(area.fields.size(), 3u);
  for (const FieldDef& field : area.fields) EXPECT_EQ(field.type, 'M') << field.name;
  EXPECT_EQ(area.fields[1].name, "IMG");
  EXPECT_TRUE(area.hasMemo);
}

TEST_F(DbfHeaderTest, UnknownFieldTypeIsRefusedNamingFieldAndLetter) {
  EXPECT_FALSE(OpenBytes(DbfBytes(0x03, {{"NAME", 'C', 10}, {"count", 'I', 4}})));
  ExpectRefused(211, "Field: COUNT [I] in " + StoredPath() + " is not a valid field type");
}

TEST_F(DbfHeaderTest, TerminatorInPlaceOfFirstDescriptorIsCorruption) {
  Bytes bytes = DbfBytes(0x03, kNameField);
  bytes[32] = 0x0D;
  EXPECT_FALSE(OpenBytes(bytes));
  ExpectRefused(222, "Error reading " + StoredPath() + " [Use/OpenDbf]");
}

TEST_F(DbfHeaderTest, DescriptorsCutOffByEndOfFileAreAReadError) {
  Bytes bytes = DbfBytes(0x03, {{"A", 'C', 1}, {"B", 'C', 1}});
  bytes.resize(50);
  EXPECT_FALSE(OpenBytes(bytes));
  ExpectRefused(100, "Error reading " + StoredPath() + " [Use/OpenDbf]");
}

TEST_F(DbfHeaderTest, RecordLengthThatCannotHoldTheFieldsIsRefused) {
  const std::string message =
      "T.DBF is not a dBASE database. (Record length does not match the fields) [Use/OpenDbf]";
  for (std::uint16_t recordLength : {0, 5}) {
    Bytes bytes = DbfBytes(0x03, kNameField, {" Alice     "});
    bytes[10] = static_cast<unsigned char>(recordLength);
    bytes[11] = 0;
    EXPECT_FALSE(OpenBytes(bytes)) << recordLength;
    ExpectRefused(210, message);
  }
}

TEST_F(DbfHeaderTest, Level7LayoutWith48ByteDescriptorsOpens) {
  ASSERT_TRUE(OpenBytes(
      Level7Bytes(0x04, {{"a_rather_long_name", 'C', 5}, {"AMOUNT", 'N', 6, 2}}, {" hello  1.50"})))
      << Detail();
  const WorkArea& area = CurrentArea();
  ASSERT_EQ(area.fields.size(), 2u);
  EXPECT_EQ(area.fields[0].name, "A_RATHER_LO");
  EXPECT_EQ(area.fields[1].type, 'N');
  EXPECT_EQ(area.fields[1].length, 6);
  EXPECT_EQ(area.fields[1].decimals, 2);
  EXPECT_EQ(area.fields[1].offset, 6);
  EXPECT_EQ(area.recordCount, 1);
  EXPECT_FALSE(area.hasMemo);
}

TEST_F(DbfHeaderTest, Dbase2FileOpensWithFixedHeader) {
  ASSERT_TRUE(OpenBytes(Dbase2Bytes({{"NAME", 'C', 4}, {"AGE", 'N', 3}}, {" Bob  42", "*Ann   7"})))
      << Detail();
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.headerLength, 521);
  EXPECT_EQ(area.recordCount, 2);
  ASSERT_EQ(area.fields.size(), 2u);
  EXPECT_EQ(area.fields[1].offset, 5);
  EXPECT_EQ(std::string(area.raw.begin(), area.raw.end()), " Bob  42");
}

TEST_F(DbfHeaderTest, Dbase2FileShorterThanItsHeaderIsRefused) {
  Bytes bytes = Dbase2Bytes({{"NAME", 'C', 4}}, {});
  bytes.resize(520);
  EXPECT_FALSE(OpenBytes(bytes));
  ExpectRefused(210, "T.DBF is not a dBASE database.(Header is less than 521 bytes) [Use/OpenDBF]");
}

TEST_F(DbfHeaderTest, Dbase2DescriptorsWithoutTerminatorAreRefused) {
  std::vector<RawField> fields;
  for (int i = 0; i < 32; ++i) fields.push_back({"F" + std::to_string(i), 'C', 1});
  EXPECT_FALSE(OpenBytes(Dbase2Bytes(fields, {}, false)));
  ExpectRefused(210,
                "T.DBF is not a dBASE database.(Number of fields is out of range) [Use/OpenDbf]");
}

}  // namespace
}  // namespace pw::testing
