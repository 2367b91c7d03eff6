// Field descriptions and the record image slots they address.
#include <gtest/gtest.h>

#include <cstring>

#include "common/date_settings.h"
#include "common/error_state.h"
#include "engine/table/append.h"
#include "engine/table/field_info.h"
#include "engine/table/record_buffer.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

class FieldInfoTest : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    path_ =
        Create("fields", {Field("NAME", 'C', 5), Field("AMOUNT", 'N', 8, 2), Field("WHEN", 'D', 8),
                          Field("DONE", 'L', 1), Field("MEMO", 'M', 10), Field("COUNT", 'N', 4)});
    ASSERT_TRUE(Use(path_ + " EXCLUSIVE")) << Detail();
  }
  std::string path_;
};

TEST_F(FieldInfoTest, DescribesEachField) {
  EXPECT_EQ(FieldCount(), 6);
  EXPECT_EQ(pw::Field(2), "AMOUNT");
  EXPECT_EQ(FieldType(2), 'N');
  EXPECT_EQ(FieldLen(2), 8);
  EXPECT_EQ(FieldDec(2), 2);
  EXPECT_EQ(FieldType(5), 'M');
  EXPECT_EQ(FieldLen(1), 5);
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(FieldInfoTest, DateLengthFollowsTheCenturySwitch) {
  CurrentDateSettings().century = false;
  EXPECT_EQ(FieldLen(3), 8);
  CurrentDateSettings().century = true;
  EXPECT_EQ(FieldLen(3), 10);
}

TEST_F(FieldInfoTest, FieldNoIgnoresCaseAndSurroundingBlanks) {
  EXPECT_EQ(FieldNo(" memo "), 5);
  EXPECT_EQ(FieldNo("Amount"), 2);
  EXPECT_EQ(FieldNo("done      xyz"), 4);
  EXPECT_EQ(FieldNo("AMOUN"), 0);
  EXPECT_EQ(FieldNo(""), 0);
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(FieldInfoTest, BadFieldNumbersAreReported) {
  EXPECT_EQ(FieldType(0), ' ');
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(Detail(), "Invalid field number. [FieldType(0)]");
  EXPECT_EQ(FieldLen(7), 0);
  EXPECT_EQ(Detail(), "Invalid field number. [FieldLen(7)]");
  EXPECT_EQ(FieldDec(-1), 0);
  EXPECT_EQ(Detail(), "Invalid field number. [FieldDec(-1)]");
  EXPECT_EQ(pw::Field(7), "");
  EXPECT_EQ(Detail(), "Invalid field number. [Field(7)]");
  EXPECT_EQ(FieldAddress(7), nullptr);
  EXPECT_EQ(Detail(), "Invalid field number. [FieldAddress(7)]");
}

TEST_F(FieldInfoTest, AddressesFollowTheImageLayout) {
  unsigned char* image = CurrentArea().image;
  EXPECT_EQ(FieldAddress(0), image);
  EXPECT_EQ(FieldAddress(1), image + 1);
  EXPECT_EQ(FieldAddress(2), image + 1 + 6);           // C(5): length byte + text
  EXPECT_EQ(FieldAddress(3), image + 1 + 6 + 8);       // N with decimals: double
  EXPECT_EQ(FieldAddress(4), image + 1 + 6 + 8 + 11);  // D: length byte + 10
  EXPECT_EQ(FieldAddress(6), image + 1 + 6 + 8 + 11 + 1 + 4);
  EXPECT_EQ(CurrentArea().imageSize, 1 + 6 + 8 + 11 + 1 + 4 + 4);
}

TEST_F(FieldInfoTest, ValuesPutAtTheAddressesAreStored) {
  ClearRecord();
  std::memcpy(FieldAddress(1), "\x05hello", 6);
  const double amount = 12.5;
  std::memcpy(FieldAddress(2), &amount, sizeof amount);
  *FieldAddress(4) = 1;
  const std::int32_t count = 42;
  std::memcpy(FieldAddress(6), &count, sizeof count);
  ASSERT_TRUE(Append()) << Detail();
  const std::string raw(CurrentArea().raw.begin(), CurrentArea().raw.end());
  EXPECT_EQ(raw,
            std::string(" ") + "hello" + "   12.50" + "        " + "T" + "         0" + "  42");
}

TEST_F(FieldInfoTest, NoTableInUse) {
  Use("");
  EXPECT_EQ(FieldCount(), 0);
  EXPECT_EQ(FieldLen(1), 0);
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_EQ(Detail(), "No database in use [FieldLen()]  WorkArea = 1");
}

}  // namespace
}  // namespace pw::testing
