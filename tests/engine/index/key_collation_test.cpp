// C keys in the order of the table's language driver: drivers 0x58 and 0x59
// sort case and accents next to the base letter, every other driver by
// bytes; a build writes its leaves in that order.
#include <gtest/gtest.h>

#include "engine/index/index_find.h"
#include "engine/index/index_key.h"
#include "engine/index/key_collation.h"
#include "engine/index/set_index_to.h"
#include "engine/table/dbf_header.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"
#include "index_build_test_support.h"

namespace pw::testing {
namespace {

using KeyCollationTest = IndexTest;

// The Windows-1252 keys in ascending order under driver 0x58.
const std::vector<std::string> kWesternOrder = {"  ",    "_a",    "1a",    "a ",    "ab",
                                                "A ",    "Ab",    "\xE1z", "\xC1z", "cz",
                                                "\xE7x", "\xC7x", "\xF1!", "z\x80", "\x9E "};

int Compare(KeyCollation collation, const std::string& a, const std::string& b) {
  const KeyOrder order{KeyType::kCharacter, a.size(), false, collation};
  return order.Compare(reinterpret_cast<const unsigned char*>(a.data()),
                       reinterpret_cast<const unsigned char*>(b.data()));
}

TEST(KeyCollation, WesternDriversSortCaseAndAccentsBesideTheBaseLetter) {
  EXPECT_EQ(CollationOfLanguage(0x58), KeyCollation::kWindows1252Western);
  EXPECT_EQ(CollationOfLanguage(0x59), KeyCollation::kWindows1252Western);
  for (const unsigned char binary : {0x00, 0x02, 0x03, 0x57, 0x64}) {
    EXPECT_EQ(CollationOfLanguage(binary), KeyCollation::kBytes) << int{binary};
  }
  for (std::size_t i = 1; i < kWesternOrder.size(); ++i) {
    EXPECT_LT(Compare(KeyCollation::kWindows1252Western, kWesternOrder[i - 1], kWesternOrder[i]), 0)
        << i;
  }
  EXPECT_GT(Compare(KeyCollation::kBytes, "a ", "A "), 0);
  EXPECT_EQ(Compare(KeyCollation::kWindows1252Western, "Ab", "Ab"), 0);
}

TEST_F(KeyCollationTest, BuildWritesLeavesInTheDriversOrder) {
  std::vector<std::vector<std::string>> records;
  for (auto it = kWesternOrder.rbegin(); it != kWesternOrder.rend(); ++it) records.push_back({*it});
  for (const unsigned char driver : {0x58, 0x03}) {
    const std::string table = WriteTable("names", {Field("NAME", 'C', 2)}, records);
    CurrentArea().prolog[kLanguageDriverByte] = driver;
    Build({"NAME", "NAME", "", false, false});
    const std::vector<LeafItem> items = LeafItems(table.substr(0, table.size() - 3) + "mdx", 1);
    ASSERT_EQ(items.size(), kWesternOrder.size());
    std::vector<std::string> keys;
    for (const LeafItem& item : items) keys.push_back(item.key);
    std::vector<std::string> expected = kWesternOrder;
    if (driver == 0x03)
      std::sort(expected.begin(), expected.end(),
                [](auto& a, auto& b) { return Compare(KeyCollation::kBytes, a, b) < 0; });
    EXPECT_EQ(keys, expected) << int{driver};
  }
}

TEST_F(KeyCollationTest, FindAndNavigationFollowTheDriversOrder) {
  std::vector<std::vector<std::string>> records;
  for (const std::string& key : kWesternOrder) records.push_back({key});
  WriteTable("names", {Field("NAME", 'C', 2)}, records);
  CurrentArea().prolog[kLanguageDriverByte] = 0x58;
  CurrentArea().oem = false;  // a Windows-1252 table: the search text is stored as it is
  Build({"NAME", "NAME", "", false, false});
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  ASSERT_TRUE(Find("\xC1")) << Detail();
  EXPECT_EQ(CurrentArea().recordNumber, 9) << "\"\xC1z\" after \"\xE1z\"";
  Skip(1);
  EXPECT_EQ(CurrentArea().recordNumber, 10) << "then \"cz\"";
  EXPECT_FALSE(Find("B"));
}

}  // namespace
}  // namespace pw::testing
