// D fields between YYYYMMDD and the date text of every date format, checked
// against the date layer's own conversions.
#include "engine/table/record_date.h"

#include <gtest/gtest.h>

#include <string>

#include "common/date_settings.h"
#include "common/date_text.h"

namespace pw {
namespace {

class RecordDateTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = CurrentDateSettings(); }
  void TearDown() override { CurrentDateSettings() = saved_; }

  static void UseFormat(int code, bool century) {
    CurrentDateSettings().century = century;
    CurrentDateSettings().epochYear = 1954;
    SetDateType(code);
  }
  static std::string TextOf(const std::string& stored) {
    char text[kMaxDateTextLength];
    return std::string(text, DateTextOfStored(stored, text));
  }
  static std::string StoredOf(const std::string& text) {
    unsigned char out[kStoredDateLength];
    StoredOfDateText(text, out);
    return std::string(reinterpret_cast<const char*>(out), kStoredDateLength);
  }

 private:
  DateSettings saved_;
};

TEST_F(RecordDateTest, EveryFormatAgreesWithTheDateLayerBothWays) {
  const char* const dates[] = {"20240307", "19991231", "20000229", "20531101", "19540101"};
  for (int code = 0; code <= 8; ++code) {
    for (bool century : {false, true}) {
      UseFormat(code, century);
      for (const std::string stored : dates) {
        const std::string year = century ? stored.substr(0, 4) : stored.substr(2, 2);
        const std::string expected =
            FromAmericanDate(stored.substr(4, 2) + "/" + stored.substr(6, 2) + "/" + year);
        const std::string text = TextOf(stored);
        EXPECT_EQ(text, expected) << "code " << code << " century " << century;
        EXPECT_EQ(StoredOf(text), stored) << "code " << code << " text " << text;
        EXPECT_EQ(DateToSortText(text), stored) << "code " << code << " text " << text;
      }
    }
  }
}

TEST_F(RecordDateTest, BlanksAndNonDatesAreStoredAsBlanks) {
  UseFormat(0, false);
  EXPECT_EQ(TextOf("        "), "  /  /  ");
  EXPECT_EQ(StoredOf("  /  /  "), "        ");
  EXPECT_EQ(StoredOf(""), "        ");
  EXPECT_EQ(StoredOf("02/30/24"), "        ");
  EXPECT_EQ(StoredOf("13/01/24"), "        ");
  EXPECT_EQ(StoredOf("nonsense"), "        ");
  UseFormat(5, true);
  EXPECT_EQ(StoredOf("29.02.2023"), "        ");
  EXPECT_EQ(StoredOf("29.02.2024"), "20240229");
}

TEST_F(RecordDateTest, LooseSpellingsAreNormalisedBeforeStoring) {
  UseFormat(0, false);
  EXPECT_EQ(StoredOf("3/7/24"), "20240307");
  EXPECT_EQ(StoredOf("03/07/53"), "20530307");
  EXPECT_EQ(StoredOf("03/07/54"), "19540307");
  UseFormat(2, true);
  EXPECT_EQ(StoredOf("7/3/2024"), "20240307");
}

}  // namespace
}  // namespace pw
