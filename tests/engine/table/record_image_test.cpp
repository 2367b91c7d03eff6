// Conversions between the raw record and the record image for every field
// type, and the code page translation around record reads and writes.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "common/code_page.h"
#include "common/date_settings.h"
#include "engine/table/record_image.h"
#include "engine/table/record_io.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "table_test_support.h"

namespace pw::testing {
namespace {

// A work area holding just a field table, a raw record and an owned image.
class ImageArea {
 public:
  explicit ImageArea(std::vector<FieldDef> fields) {
    std::uint16_t offset = 1;
    for (FieldDef& field : fields) {
      field.offset = offset;
      offset += field.length;
    }
    area_.fields = std::move(fields);
    area_.raw.assign(offset, ' ');
    area_.ownedImage.assign(ImageSizeOf(area_.fields), 0);
    area_.image = area_.ownedImage.data();
  }

  unsigned char* Slot(std::size_t field) {
    unsigned char* slot = area_.image + 1;
    for (std::size_t i = 0; i < field; ++i) slot += ImageSlotSize(area_.fields[i]);
    return slot;
  }
  std::string SlotText(std::size_t field) {
    return std::string(reinterpret_cast<const char*>(Slot(field)) + 1, Slot(field)[0]);
  }
  void SetSlotText(std::size_t field, const std::string& text) {
    Slot(field)[0] = static_cast<unsigned char>(text.size());
    std::memcpy(Slot(field) + 1, text.data(), text.size());
  }
  template <typename T>
  T SlotValue(std::size_t field) {
    T value{};
    std::memcpy(&value, Slot(field), sizeof value);
    return value;
  }
  template <typename T>
  void SetSlotValue(std::size_t field, T value) {
    std::memcpy(Slot(field), &value, sizeof value);
  }
  std::string Raw() const { return std::string(area_.raw.begin(), area_.raw.end()); }
  void SetRaw(const std::string& raw) {
    ASSERT_EQ(raw.size(), area_.raw.size());
    area_.raw.assign(raw.begin(), raw.end());
  }
  std::string RawField(std::size_t field) const {
    return Raw().substr(area_.fields[field].offset, area_.fields[field].length);
  }
  WorkArea& area() { return area_; }

 private:
  WorkArea area_;
};

class RecordImageTest : public TableTest {
 protected:
  void SetDates(int code, bool century) {
    CurrentDateSettings().century = century;
    CurrentDateSettings().epochYear = 1954;
    SetDateType(code);
  }
};

TEST_F(RecordImageTest, SlotSizesFollowTheFieldTypes) {
  EXPECT_EQ(ImageSlotSize(Field("C", 'C', 20)), 21u);
  EXPECT_EQ(ImageSlotSize(Field("N", 'N', 15, 2)), 8u);
  EXPECT_EQ(ImageSlotSize(Field("N", 'N', 9)), 4u);
  EXPECT_EQ(ImageSlotSize(Field("N", 'N', 10)), 8u);  // can pass 32 bits
  EXPECT_EQ(ImageSlotSize(Field("F", 'F', 13)), 8u);
  EXPECT_EQ(ImageSlotSize(Field("F", 'F', 10, 3)), 8u);
  EXPECT_EQ(ImageSlotSize(Field("D", 'D', 8)), 11u);
  EXPECT_EQ(ImageSlotSize(Field("L", 'L', 1)), 1u);
  EXPECT_EQ(ImageSlotSize(Field("M", 'M', 10)), 4u);
  EXPECT_EQ(ImageSizeOf({Field("C", 'C', 20), Field("D", 'D', 8), Field("M", 'M', 10)}), 37u);
}

TEST_F(RecordImageTest, RawValuesOfEveryTypeReachTheImage) {
  SetDates(0, false);
  ImageArea image({Field("NAME", 'C', 6), Field("AMOUNT", 'N', 8, 2), Field("COUNT", 'N', 5),
                   Field("DUE", 'D', 8), Field("DONE", 'L', 1), Field("NOTES", 'M', 10)});
  image.SetRaw(std::string("*") + "Bob   " + "  -12.50" + "   42" + "20240307" + "y" +
               "        17");
  RawToImage(image.area());
  EXPECT_EQ(image.area().image[0], 1);
  EXPECT_EQ(image.SlotText(0), "Bob   ");
  EXPECT_DOUBLE_EQ(image.SlotValue<double>(1), -12.5);
  EXPECT_EQ(image.SlotValue<std::int32_t>(2), 42);
  EXPECT_EQ(image.SlotText(3), "03/07/24");
  EXPECT_EQ(image.Slot(4)[0], 1);
  EXPECT_EQ(image.SlotValue<std::int32_t>(5), 17);

  image.SetRaw(" " + std::string(6, ' ') + std::string(8, ' ') + "  abc" + std::string(8, ' ') +
               "n" + std::string(10, ' '));
  RawToImage(image.area());
  EXPECT_EQ(image.area().image[0], 0);
  EXPECT_DOUBLE_EQ(image.SlotValue<double>(1), 0);
  EXPECT_EQ(image.SlotValue<std::int32_t>(2), 0);
  EXPECT_EQ(image.Slot(4)[0], 0);
  EXPECT_EQ(image.SlotValue<std::int32_t>(5), 0);
}

TEST_F(RecordImageTest, ImageValuesAreStoredRightAlignedWithFixedDecimals) {
  SetDates(0, false);
  ImageArea image({Field("NAME", 'C', 6), Field("AMOUNT", 'N', 15, 2), Field("COUNT", 'N', 5),
                   Field("DONE", 'L', 1), Field("NOTES", 'M', 10)});
  image.SetSlotText(0, "Alexandra");
  image.SetSlotValue(1, 2.5);
  image.SetSlotValue<std::int32_t>(2, -42);
  image.Slot(3)[0] = 1;
  image.SetSlotValue<std::int32_t>(4, 0);
  ImageToRaw(image.area());
  EXPECT_EQ(image.Raw(),
            std::string(" ") + "Alexan" + "           2.50" + "  -42" + "T" + "         0");

  image.area().image[0] = 1;
  image.SetSlotText(0, "Al");
  image.SetSlotValue(1, 1.005e3);
  image.Slot(3)[0] = 0;
  ImageToRaw(image.area());
  EXPECT_EQ(image.Raw(),
            std::string("*") + "Al    " + "        1005.00" + "  -42" + "F" + "         0");
}

TEST_F(RecordImageTest, WholeNumbersWiderThanNineDigitsKeepEveryDigit) {
  ImageArea image({Field("BIG", 'N', 13), Field("HUGE", 'N', 22), Field("SMALL", 'N', 9)});
  image.SetRaw(" 4915112345678  99999999999999999999-99999999");
  RawToImage(image.area());
  EXPECT_EQ(image.SlotValue<std::int64_t>(0), 4915112345678);
  EXPECT_EQ(image.SlotValue<std::int64_t>(1), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(image.SlotValue<std::int32_t>(2), -99999999);
  ImageToRaw(image.area());
  EXPECT_EQ(image.Raw(), " 4915112345678  99999999999999999999-99999999");

  image.SetSlotValue<std::int64_t>(0, -999999999999);
  image.SetSlotValue<std::int64_t>(1, 9007199254740993);  // 2^53 + 1: no double holds it
  ImageToRaw(image.area());
  EXPECT_EQ(image.RawField(0), "-999999999999");
  EXPECT_EQ(image.RawField(1), "      9007199254740993");
  image.SetSlotValue<std::int64_t>(0, 10000000000000);
  ImageToRaw(image.area());
  EXPECT_EQ(image.RawField(0), "*************");
}

TEST_F(RecordImageTest, DecimalsRoundHalvesAwayFromZero) {
  ImageArea image({Field("A", 'N', 5, 2), Field("B", 'F', 6, 1)});
  const struct {
    double a;
    double b;
    const char* raw;
  } cases[] = {{0.125, -1.25, " 0.13  -1.3"},
               {2.675, 2.25, " 2.68   2.3"},
               {-0.005, -0.04, "-0.01   0.0"},
               {9.995, 99999.95, "10.00******"},
               {99.995, -99.95, "*****-100.0"}};
  for (const auto& c : cases) {
    image.SetSlotValue(0, c.a);
    image.SetSlotValue(1, c.b);
    ImageToRaw(image.area());
    EXPECT_EQ(image.Raw().substr(1), c.raw) << c.a << " " << c.b;
  }
}

TEST_F(RecordImageTest, UnchangedNumbersAndDatesKeepTheirStoredText) {
  SetDates(0, false);
  ImageArea image({Field("DAY", 'D', 8), Field("AMOUNT", 'N', 20, 4), Field("COUNT", 'N', 5)});
  // A date outside the hundred years of two-digit texts, digits beyond a
  // double, a foreign spelling; then the same after a change of each.
  const std::string stored = " 18500304  1234567890123.4567  +12";
  image.SetRaw(stored);
  RawToImage(image.area());
  EXPECT_EQ(image.SlotText(0), "03/04/50");
  image.Slot(0)[9] = ' ';  // as a caller may pad the slot after its text
  ImageToRaw(image.area());
  EXPECT_EQ(image.Raw(), stored);

  image.SetSlotText(0, "03/05/50");
  image.SetSlotValue(1, 0.5);
  image.SetSlotValue<std::int32_t>(2, 13);
  ImageToRaw(image.area());
  EXPECT_EQ(image.Raw(), " 20500305" + std::string(14, ' ') + "0.5000   13");

  // A blank field is written as the value its slot holds, as before.
  image.SetRaw(std::string(34, ' '));
  RawToImage(image.area());
  ImageToRaw(image.area());
  EXPECT_EQ(image.Raw(), std::string(9 + 14, ' ') + "0.0000    0");
}

TEST_F(RecordImageTest, ValuesTooWideForTheFieldBecomeAsterisks) {
  ImageArea image({Field("COUNT", 'N', 5), Field("PRICE", 'N', 6, 2)});
  image.SetSlotValue<std::int32_t>(0, 123456);
  image.SetSlotValue(1, 1234.5);
  ImageToRaw(image.area());
  EXPECT_EQ(image.RawField(0), "*****");
  EXPECT_EQ(image.RawField(1), "******");

  image.SetSlotValue<std::int32_t>(0, 12345);
  image.SetSlotValue(1, 123.456);
  ImageToRaw(image.area());
  EXPECT_EQ(image.RawField(0), "12345");
  EXPECT_EQ(image.RawField(1), "123.46");
}

TEST_F(RecordImageTest, StoredDatesReadInTheCurrentLayout) {
  ImageArea image({Field("DUE", 'D', 8)});
  image.SetRaw(" 20240307");
  const struct {
    int code;
    bool century;
    const char* text;
  } cases[] = {{0, false, "03/07/24"}, {1, false, "24.03.07"},  {2, true, "07/03/2024"},
               {3, false, "07-03-24"}, {5, true, "07.03.2024"}, {1, true, "2024.03.07"}};
  for (const auto& c : cases) {
    SetDates(c.code, c.century);
    RawToImage(image.area());
    EXPECT_EQ(image.SlotText(0), c.text) << c.code << " " << c.century;
  }
}

TEST_F(RecordImageTest, BlankDatesTurnIntoTheBlankPatternAndBack) {
  ImageArea image({Field("DUE", 'D', 8)});
  const struct {
    int code;
    bool century;
    const char* blank;
  } cases[] = {{0, false, "  /  /  "},
               {0, true, "  /  /    "},
               {3, false, "  -  -  "},
               {5, true, "  .  .    "},
               {1, true, "    .  .  "}};
  for (const auto& c : cases) {
    SetDates(c.code, c.century);
    image.SetRaw("         ");
    RawToImage(image.area());
    EXPECT_EQ(image.SlotText(0), c.blank) << c.code << " " << c.century;
    image.SetRaw(" 20240307");
    ImageToRaw(image.area());
    EXPECT_EQ(image.RawField(0), "        ") << c.code << " " << c.century;
  }
  SetDates(0, false);
  for (const char* text : {"", "  /  /  ", "  .  .    ", "nonsense"}) {
    image.SetSlotText(0, text);
    image.SetRaw(" 20240307");
    ImageToRaw(image.area());
    EXPECT_EQ(image.RawField(0), "        ") << '"' << text << '"';
  }
}

TEST_F(RecordImageTest, DateTextsAreStoredAsYearMonthDay) {
  ImageArea image({Field("DUE", 'D', 8)});
  const struct {
    int code;
    bool century;
    const char* text;
    const char* stored;
  } cases[] = {{0, false, "03/07/24", "20240307"}, {0, false, "12/31/60", "19601231"},
               {1, false, "24.03.07", "20240307"}, {5, true, "07.03.1999", "19990307"},
               {2, false, "07/03/24", "20240307"}, {0, false, "3/7/24", "20240307"},
               {0, true, "03/07/24", "20240307"},  {0, false, "02/30/24", "        "}};
  for (const auto& c : cases) {
    SetDates(c.code, c.century);
    image.SetSlotText(0, c.text);
    ImageToRaw(image.area());
    EXPECT_EQ(image.RawField(0), c.stored) << c.text;
  }
}

TEST_F(RecordImageTest, OemTableStoresUmlautInOemAndReadsItBack) {
  const std::string path = Create("oem", {Field("NAME", 'C', 6)});
  ASSERT_TRUE(Use(path)) << Detail();
  WorkArea& area = CurrentArea();
  ASSERT_TRUE(area.oem);
  const std::string name =
      "M\xFC"
      "ller";  // Windows-1252 u umlaut
  std::memcpy(area.image + 2, name.data(), 6);
  area.image[1] = 6;
  area.image[0] = 1;
  ASSERT_EQ(WriteRecord(area, 1), 0) << Detail();
  EXPECT_EQ(area.recordCount, 1);
  EXPECT_EQ(std::string(area.raw.begin(), area.raw.end()), "*" + name);

  const Bytes bytes = ReadBytes(path);
  const std::size_t record = area.headerLength;
  EXPECT_EQ(bytes.at(record), '*');
  EXPECT_EQ(bytes.at(record + 2), 0x81);  // u umlaut in code page 850

  BlankRecord(area);
  ASSERT_EQ(ReadRecord(area, 1), 0) << Detail();
  EXPECT_EQ(std::string(reinterpret_cast<char*>(area.image) + 2, 6), name);
  EXPECT_EQ(area.image[0], 1);
}

TEST_F(RecordImageTest, DeletionFlagIsNeverTranslated) {
  // 0x2A and 0x20 are plain ASCII, so translate a flag byte that would
  // change: whatever the flag holds reaches the file unchanged.
  const std::string path = Create("flag", {Field("NAME", 'C', 1)});
  ASSERT_TRUE(Use(path)) << Detail();
  WorkArea& area = CurrentArea();
  area.raw = {0xFC, 0xFC};
  ASSERT_EQ(WriteRawRecord(area, 1), 0) << Detail();
  const Bytes bytes = ReadBytes(path);
  EXPECT_EQ(bytes.at(area.headerLength), 0xFC);
  EXPECT_EQ(bytes.at(area.headerLength + 1), AnsiToOem("\xFC")[0] & 0xFF);
  ASSERT_EQ(ReadRawRecord(area, 1), 0) << Detail();
  EXPECT_EQ(area.raw[0], 0xFC);
  EXPECT_EQ(area.raw[1], 0xFC);
}

}  // namespace
}  // namespace pw::testing
