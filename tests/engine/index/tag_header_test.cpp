// Tag headers: every field of a new one, the shapes of the note tables'
// tags, limits, and damaged headers refused.
#include <gtest/gtest.h>

#include <string>

#include "common/byte_order.h"
#include "engine/index/tag_header.h"

namespace pw {
namespace {

TagHeader MustCreate(const TagDefinition& definition, std::uint32_t root) {
  TagHeader header;
  EXPECT_EQ(TagHeader::Create(definition, root, &header), MdxFault::kNone);
  return header;
}

TEST(TagHeaderTest, NewHeaderHoldsEveryField) {
  const TagHeader header =
      MustCreate({KeyType::kCharacter, 50, "upper(Noteboard)", "", false, false}, 4);
  const auto& b = header.Bytes();
  EXPECT_EQ(GetLe32(&b[0]), 4u);
  EXPECT_EQ(b[8], 0x10);
  EXPECT_EQ(b[9], 'C');
  EXPECT_EQ(GetLe16(&b[12]), 50);
  EXPECT_EQ(GetLe16(&b[14]), 18);
  EXPECT_EQ(GetLe16(&b[16]), 0);
  EXPECT_EQ(GetLe16(&b[18]), 56);
  EXPECT_EQ(b[23], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[24])), "upper(Noteboard)");
  EXPECT_EQ(b[245], 0);
  EXPECT_EQ(b[246], 0);
  EXPECT_EQ(b[762], 0);
  int nonzero = 0;
  for (std::size_t i = 0; i < b.size(); ++i) nonzero += b[i] != 0;
  EXPECT_EQ(nonzero, 1 + 1 + 1 + 1 + 1 + 1 + 16);  // root, flags, type, 3 lengths, text
}

TEST(TagHeaderTest, FlagsForDescendingUniqueAndForCondition) {
  TagHeader header = MustCreate(
      {KeyType::kDate, 8, "expires", "showing = \"Y\"", /*descending=*/true, /*unique=*/true}, 9);
  const auto& b = header.Bytes();
  EXPECT_EQ(b[8], 0x10 | 0x08 | 0x40);
  EXPECT_EQ(b[23], 1);
  EXPECT_EQ(GetLe16(&b[16]), 1);  // secondary type of a date key
  EXPECT_EQ(b[245], 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[762])), "showing = \"Y\"");
  EXPECT_TRUE(header.Descending());
  EXPECT_TRUE(header.Unique());
  EXPECT_TRUE(header.HasFor());
  EXPECT_FALSE(header.ForSatisfied());
  header.SetForSatisfied(true);
  header.SetRootBlock(0x12345);
  EXPECT_EQ(b[246], 1);
  EXPECT_EQ(GetLe32(&b[0]), 0x12345u);
}

TEST(TagHeaderTest, BlankForExpressionMeansNoCondition) {
  const TagHeader header = MustCreate({KeyType::kNumeric, 12, "handle", "   ", false, false}, 4);
  EXPECT_FALSE(header.HasFor());
  EXPECT_EQ(header.ForExpression(), "");
}

TEST(TagHeaderTest, NoteTableTagsGetTheirItemLengthsAndKeysPerNode) {
  struct Shape {
    KeyType type;
    int keyLength;
    int itemLength;
    int maxKeys;
  };
  const Shape shapes[] = {{KeyType::kCharacter, 50, 56, 18},  // BOARD
                          {KeyType::kNumeric, 12, 16, 63},    // HANDLE
                          {KeyType::kCharacter, 1, 8, 126},   // SHOWING, ALARMACT, EXPIREACT
                          {KeyType::kDate, 8, 12, 84},       {KeyType::kCharacter, 100, 104, 9},
                          {KeyType::kCharacter, 5, 12, 84}};
  for (const Shape& s : shapes) {
    const TagHeader header = MustCreate({s.type, s.keyLength, "k", "", false, false}, 4);
    EXPECT_EQ(header.ItemLength(), s.itemLength) << s.keyLength;
    EXPECT_EQ(header.MaxKeys(), s.maxKeys) << s.keyLength;
  }
}

TEST(TagHeaderTest, CreateRefusesWhatTheFormatCannotHold) {
  TagHeader header;
  EXPECT_EQ(TagHeader::Create({KeyType::kCharacter, 0, "k", "", false, false}, 4, &header),
            MdxFault::kKeyLength);
  EXPECT_EQ(TagHeader::Create({KeyType::kCharacter, 101, "k", "", false, false}, 4, &header),
            MdxFault::kKeyLength);
  EXPECT_EQ(TagHeader::Create({KeyType::kNumeric, 8, "k", "", false, false}, 4, &header),
            MdxFault::kKeyLength);
  EXPECT_EQ(TagHeader::Create({static_cast<KeyType>('L'), 1, "k", "", false, false}, 4, &header),
            MdxFault::kKeyType);
  EXPECT_EQ(TagHeader::Create({KeyType::kCharacter, 10, std::string(221, 'a'), "", false, false}, 4,
                              &header),
            MdxFault::kExpression);
  EXPECT_EQ(TagHeader::Create({KeyType::kCharacter, 10, "k", std::string(221, 'a'), false, false},
                              4, &header),
            MdxFault::kExpression);
  const TagHeader longest = MustCreate(
      {KeyType::kCharacter, 100, std::string(220, 'k'), std::string(220, 'f'), false, false}, 4);
  EXPECT_EQ(longest.KeyExpression(), std::string(220, 'k'));
  EXPECT_EQ(longest.ForExpression(), std::string(220, 'f'));
  EXPECT_EQ(longest.Bytes()[244], 0);
  EXPECT_EQ(longest.Bytes()[245], 1);
}

TEST(TagHeaderTest, ParsedHeaderKeepsEveryFieldAndUnknownBytes) {
  TagHeader written = MustCreate({KeyType::kNumeric, 12, "handle", "", true, false}, 8);
  auto bytes = written.Bytes();
  bytes[300] = 0x5A;  // a byte another writer may use
  TagHeader read;
  ASSERT_EQ(TagHeader::Parse(bytes.data(), &read), MdxFault::kNone);
  EXPECT_EQ(read.RootBlock(), 8u);
  EXPECT_EQ(read.Type(), KeyType::kNumeric);
  EXPECT_EQ(read.KeyLength(), 12);
  EXPECT_EQ(read.KeyExpression(), "handle");
  EXPECT_TRUE(read.Descending());
  EXPECT_FALSE(read.Unique());
  EXPECT_EQ(read.Bytes()[300], 0x5A);
  const KeyOrder order = read.Order(KeyCollation::kBytes);
  EXPECT_EQ(order.type, KeyType::kNumeric);
  EXPECT_EQ(order.length, 12u);
  EXPECT_TRUE(order.descending);
}

TEST(TagHeaderTest, OnlyTheFirst983BytesAreRead) {
  TagHeader::Image bytes = MustCreate({KeyType::kCharacter, 1, "k", "", false, false}, 4).Bytes();
  bytes[983] = 0xEE;
  TagHeader read;
  ASSERT_EQ(TagHeader::Parse(bytes.data(), &read), MdxFault::kNone);
  EXPECT_EQ(read.Bytes()[983], 0);
}

// One damaged field of a C 50 header and the fault it must raise.
struct AnchorDamage {
  std::size_t offset;
  unsigned char value;
  MdxFault fault;
};

TEST(TagHeaderTest, DamagedHeadersAreRefused) {
  const AnchorDamage damages[] = {
      {9, 'L', MdxFault::kKeyType},    {12, 0, MdxFault::kKeyLength},
      {12, 101, MdxFault::kKeyLength}, {13, 1, MdxFault::kKeyLength},
      {18, 0, MdxFault::kItemLayout},  {18, 53, MdxFault::kItemLayout},
      {19, 4, MdxFault::kItemLayout},
  };
  const TagHeader good = MustCreate({KeyType::kCharacter, 50, "k", "", false, false}, 4);
  for (const AnchorDamage& d : damages) {
    TagHeader::Image bytes = good.Bytes();
    bytes[d.offset] = d.value;
    TagHeader read;
    EXPECT_EQ(TagHeader::Parse(bytes.data(), &read), d.fault) << d.offset << "=" << +d.value;
  }
}

TEST(TagHeaderTest, StoredMaximumKeysIsReadAsWrittenAndCappedByTheNode) {
  struct Stored {
    int keyLength;
    unsigned char maxKeys;
    int leaf;
  };
  // Other writers store 127 for 1-character keys; 0 and a maximum too
  // small to split by give way to what the node holds.
  const Stored cases[] = {{1, 127, 126}, {1, 126, 126}, {50, 19, 18}, {50, 0, 18},
                          {50, 3, 18},   {50, 4, 4},    {50, 10, 10}};
  for (const Stored& c : cases) {
    TagHeader::Image bytes =
        MustCreate({KeyType::kCharacter, c.keyLength, "k", "", false, false}, 4).Bytes();
    bytes[14] = c.maxKeys;
    TagHeader read;
    ASSERT_EQ(TagHeader::Parse(bytes.data(), &read), MdxFault::kNone) << +c.maxKeys;
    EXPECT_EQ(read.MaxKeys(), c.maxKeys);
    EXPECT_EQ(read.LeafCapacity(), c.leaf) << +c.maxKeys;
    EXPECT_EQ(read.BranchCapacity(), c.leaf - 1) << +c.maxKeys;
  }
}

TEST(TagHeaderTest, UnterminatedExpressionsAreRefused) {
  const TagHeader good = MustCreate({KeyType::kCharacter, 50, "k", "", false, false}, 4);
  for (std::size_t field : {24u, 762u}) {
    TagHeader::Image bytes = good.Bytes();
    std::fill(bytes.begin() + field, bytes.begin() + field + 221, 'x');
    TagHeader read;
    EXPECT_EQ(TagHeader::Parse(bytes.data(), &read), MdxFault::kExpression) << field;
  }
}

TEST(TagHeaderTest, NumericAndDateKeysHaveFixedLengths) {
  TagHeader::Image bytes = MustCreate({KeyType::kDate, 8, "d", "", false, false}, 4).Bytes();
  bytes[12] = 12;
  TagHeader read;
  EXPECT_EQ(TagHeader::Parse(bytes.data(), &read), MdxFault::kKeyLength);
}

}  // namespace
}  // namespace pw
