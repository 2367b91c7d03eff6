// Trees that other writers laid out: a stored maximum keys per node that no
// node block holds, branches as full as leaves, and a C key stored at the
// full width of its fields although the blank record's key is shorter.
// Each opens, walks in key order, finds, and takes new keys within what
// its nodes hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "common/error_state.h"
#include "engine/index/index_find.h"
#include "engine/index/index_key.h"
#include "engine/index/mdx_io.h"
#include "engine/index/reindex.h"
#include "engine/index/set_index_to.h"
#include "engine/table/go.h"
#include "engine/table/position_queries.h"
#include "foreign_mdx.h"
#include "index_nav_test_support.h"

namespace pw::testing {
namespace {

class ForeignTreeTest : public IndexNavTest {
 protected:
  // Writes table "t" with `fields` and `records` and `tag` as its index.
  void WriteForeign(const std::vector<FieldDef>& fields,
                    const std::vector<std::vector<std::string>>& records, ForeignTag tag) {
    WriteTable("t", fields, records);
    std::stable_sort(tag.items.begin(), tag.items.end(),
                     [&](const LeafItem& a, const LeafItem& b) { return Below(tag, a, b); });
    WriteForeignMdx(IndexPath(), "t", tag);
  }

  static bool Below(const ForeignTag& tag, const LeafItem& a, const LeafItem& b) {
    const KeyOrder order{static_cast<KeyType>(tag.type), static_cast<std::size_t>(tag.keyLength)};
    const int step = order.Compare(reinterpret_cast<const unsigned char*>(a.key.data()),
                                   reinterpret_cast<const unsigned char*>(b.key.data()));
    return step < 0 || (step == 0 && a.record < b.record);
  }

  static std::vector<std::int32_t> Records(const std::vector<LeafItem>& items) {
    std::vector<std::int32_t> records;
    for (const LeafItem& item : items) records.push_back(static_cast<std::int32_t>(item.record));
    return records;
  }

  // Every record of `keys` in the tag exactly once, under its key.
  static void ExpectKeys(const std::vector<LeafItem>& items,
                         const std::map<std::uint32_t, std::string>& keys) {
    ASSERT_EQ(items.size(), keys.size());
    std::map<std::uint32_t, std::string> held;
    for (const LeafItem& item : items) held[item.record] = item.key;
    EXPECT_EQ(held, keys);
  }
};

std::string NumberKey(double value) {
  const PackedDecimal key = NumericKey(value, 0);
  return std::string(key.begin(), key.end());
}

TEST_F(ForeignTreeTest, StoredMaximumAboveWhatANodeHoldsOpensWalksFindsAndSplitsWithinIt) {
  // 127 keys of 8 bytes fill a leaf to the end of its block, with no room
  // for the trailing pointer: keys added go to nodes of 126 at most.
  ForeignTag tag{"SHOWING", 'C', 1, 127, "SHOWING", {}, 127, 126};
  std::vector<std::vector<std::string>> records;
  std::map<std::uint32_t, std::string> keys;
  for (std::uint32_t r = 1; r <= 300; ++r) {
    const std::string letter(1, static_cast<char>('A' + r * 7 % 26));
    records.push_back({letter});
    keys[r] = letter;
    tag.items.push_back({r, letter});
  }
  WriteForeign({Field("SHOWING", 'C', 1)}, records, tag);
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  std::stable_sort(tag.items.begin(), tag.items.end(),
                   [&](const LeafItem& a, const LeafItem& b) { return Below(tag, a, b); });
  EXPECT_EQ(WalkForward(), Records(tag.items));
  EXPECT_TRUE(Find("M"));
  EXPECT_EQ(RecNo(), 24) << "the first of the M keys: 24 * 7 % 26 = 12";

  for (std::uint32_t r = 301; r <= 700; ++r) {
    const std::string letter(1, static_cast<char>('A' + r * 11 % 26));
    AddRecord({letter});
    keys[r] = letter;
  }
  ExpectKeys(CheckedItems(1, TreeOrigin::kOtherWriter), keys);
  TagHeader onDisk;
  ASSERT_EQ(ReadTagHeader(State().file, State().Controlling()->anchorBlock, &onDisk), 0);
  EXPECT_EQ(onDisk.MaxKeys(), 127) << "the stored value stays as written";
  EXPECT_EQ(onDisk.LeafCapacity(), 126);
}

TEST_F(ForeignTreeTest, BranchesAsFullAsLeavesWalkAndTakeNewKeys) {
  // 64 leaves of 63 keys under one root of 63 keys and a trailing pointer.
  ForeignTag tag{"HANDLE", 'N', 12, 63, "HANDLE", {}, 63, 63};
  std::vector<std::vector<std::string>> records;
  std::map<std::uint32_t, std::string> keys;
  for (std::uint32_t r = 1; r <= 4000; ++r) {
    const int value = 4001 - static_cast<int>(r);
    records.push_back({std::to_string(value)});
    keys[r] = NumberKey(value);
    tag.items.push_back({r, keys[r]});
  }
  WriteForeign({Field("HANDLE", 'N', 6)}, records, tag);
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  const std::vector<std::int32_t> walked = WalkForward();
  ASSERT_EQ(walked.size(), 4000u);
  EXPECT_EQ(walked.front(), 4000);
  EXPECT_EQ(walked.back(), 1);
  EXPECT_TRUE(Find("2000"));
  EXPECT_EQ(RecNo(), 2001);

  for (std::uint32_t r = 4001; r <= 4200; ++r) {
    const int value = static_cast<int>(r) * 3 % 5000;
    AddRecord({std::to_string(value)});
    keys[r] = NumberKey(value);
  }
  ExpectKeys(CheckedItems(1), keys);
  EXPECT_EQ(WalkForward().size(), 4200u);
}

const std::vector<FieldDef> kNameFields = {Field("LASTNAME", 'C', 15), Field("FIRSTNAME", 'C', 10)};

// TRIM(LASTNAME)+FIRSTNAME as dBASE stores it: 25 bytes, the fields' width.
ForeignTag TrimmedNames(const std::vector<std::vector<std::string>>& records, int keyLength) {
  ForeignTag tag{
      "NAMES", 'C', keyLength, 1012 / (4 + (keyLength + 3) / 4 * 4), "TRIM(Lastname)+Firstname",
      {},      18,  18};
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string key = records[i][0] + BlankPadded(records[i][1], 10);
    tag.items.push_back({static_cast<std::uint32_t>(i + 1), BlankPadded(key, keyLength)});
  }
  return tag;
}

TEST_F(ForeignTreeTest, TrimmedKeyStoredAtFullWidthOpensFindsAndIsKeptAtThatWidth) {
  const std::vector<std::vector<std::string>> records = {
      {"Smith", "John"}, {"Doe", "Jane"}, {"Smithers", "Al"}, {"Do", "Zed"}};
  WriteForeign(kNameFields, records, TrimmedNames(records, 25));
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{4, 2, 1, 3}));
  EXPECT_TRUE(Find("SmithJ"));
  EXPECT_EQ(RecNo(), 1);
  EXPECT_TRUE(FindExact("DoeJane"));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_TRUE(Find("Smithe"));
  EXPECT_EQ(RecNo(), 3);

  AddRecord({"Smi", "Zoe"});
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{4, 2, 5, 1, 3}));
  Go(2);
  Rewrite("LASTNAME", "Zed");
  EXPECT_EQ(WalkForward(), (std::vector<std::int32_t>{4, 5, 1, 3, 2}));
  EXPECT_TRUE(FindExact("ZedJane"));
  EXPECT_EQ(RecNo(), 2);
  EXPECT_FALSE(Find("DoeJ"));
  ExpectKeys(CheckedItems(1), {{1, BlankPadded("SmithJohn", 25)},
                               {2, BlankPadded("ZedJane", 25)},
                               {3, BlankPadded("SmithersAl", 25)},
                               {4, BlankPadded("DoZed", 25)},
                               {5, BlankPadded("SmiZoe", 25)}});
}

TEST_F(ForeignTreeTest, ReindexKeepsTheStoredWidthOfATrimmedKey) {
  const std::vector<std::vector<std::string>> records = {{"Smithers", "Al"}, {"Doe", "Jane"}};
  WriteForeign(kNameFields, records, TrimmedNames(records, 25));
  ASSERT_TRUE(SetIndexTo("")) << Detail();
  Go(2);  // "DoeJane   ": 13 bytes
  ASSERT_TRUE(Reindex()) << Detail();
  EXPECT_EQ(State().Controlling()->anchor.KeyLength(), 25);
  ExpectKeys(CheckedItems(1),
             {{1, BlankPadded("SmithersAl", 25)}, {2, BlankPadded("DoeJane", 25)}});
}

TEST_F(ForeignTreeTest, KeyLongerOnTheBlankRecordThanStoredIsStillRefused) {
  // The blank record gives TRIM("") + 10 blanks: 10 bytes, above 5.
  const std::vector<std::vector<std::string>> records = {{"Doe", "J"}};
  WriteForeign(kNameFields, records, TrimmedNames(records, 5));
  EXPECT_FALSE(SetIndexTo(""));
  EXPECT_EQ(EngineErrorCode(), 266);
}

}  // namespace
}  // namespace pw::testing
