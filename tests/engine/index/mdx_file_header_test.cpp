// The index file header: a new header byte by byte, the tag table and its
// name tree, and headers refused for damage.
#include <gtest/gtest.h>

#include <cctype>

#include "common/byte_order.h"
#include "engine/index/mdx_file_header.h"

namespace pw {
namespace {

constexpr std::uint64_t kFiveTagFileLength = 2048 + 5 * 2048;

MdxHeader NoteHeader() {
  MdxHeader header = MdxHeader::Create("notes", {2026, 12, 9});
  const char* names[] = {"BOARD", "HANDLE", "SHOWING", "ALARMACT", "EXPIREACT"};
  const char types[] = {'C', 'N', 'C', 'C', 'C'};
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(header.AddTag(static_cast<std::uint32_t>(6 + 4 * i), names[i], types[i]));
  }
  return header;
}

TEST(MdxHeaderTest, NewHeaderHoldsVersionDatesNameAndLayoutConstants) {
  const MdxHeader header = MdxHeader::Create("defaults", {2026, 3, 7});
  const auto& b = header.Bytes();
  EXPECT_EQ(b[0], 2);
  EXPECT_EQ(b[1], 126);
  EXPECT_EQ(b[2], 3);
  EXPECT_EQ(b[3], 7);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[4])), "defaults");
  EXPECT_EQ(GetLe16(&b[20]), 2);
  EXPECT_EQ(GetLe16(&b[22]), 1024);
  EXPECT_EQ(b[24], 1);
  EXPECT_EQ(b[25], 48);
  EXPECT_EQ(b[26], 32);
  EXPECT_EQ(b[28], 0);
  EXPECT_EQ(b[44], 126);
  EXPECT_EQ(b[45], 3);
  EXPECT_EQ(b[46], 7);
  EXPECT_EQ(b[529], 1);
  // Every byte not named above is zero.
  int nonzero = 0;
  for (std::size_t i = 0; i < b.size(); ++i) nonzero += b[i] != 0;
  // version and creation date, name, 2, high byte of 1024, 1/48/32, update date, link
  EXPECT_EQ(nonzero, 4 + 8 + 1 + 1 + 3 + 3 + 1);
}

TEST(MdxHeaderTest, BaseNameKeepsSixteenCharactersAndYearWrapsModulo256) {
  const MdxHeader header = MdxHeader::Create("ABCDEFGHIJKLMNOPQRST", {2160, 1, 2});
  EXPECT_EQ(header.BaseName(), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(header.Bytes()[20], 2);  // the name did not run into the constants
  EXPECT_EQ(header.Bytes()[1], 4);
}

TEST(MdxHeaderTest, TagEntryHoldsBlockUpperCasedNameMarkerAndKeyType) {
  MdxHeader header = MdxHeader::Create("t", {2026, 1, 1});
  ASSERT_TRUE(header.AddTag(0x01020304, "board\xe9tiquettes", 'C'));
  const unsigned char* e = header.Bytes().data() + 512 + 32;
  EXPECT_EQ(GetLe32(e), 0x01020304u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(e + 4)), "BOARD\xc9TIQU");
  EXPECT_EQ(e[14], 0);
  EXPECT_EQ(e[15], 0);
  EXPECT_EQ(e[19], 2);
  EXPECT_EQ(e[20], 'C');
  EXPECT_EQ(header.TagCount(), 1);
  EXPECT_EQ(header.FindTag("boardétiquettes"), 0);  // the UTF-8 text is other bytes
  EXPECT_EQ(header.FindTag("board\xe9tiquettes and more"), 1);
  EXPECT_EQ(header.FindTag("BOARD"), 0);
}

TEST(MdxHeaderTest, TagNameTreeOfTheNoteTables) {
  const MdxHeader header = NoteHeader();
  // 1 BOARD, 2 HANDLE, 3 SHOWING, 4 ALARMACT, 5 EXPIREACT
  const TagEntry board = header.Entry(1);
  EXPECT_EQ(board.parent, 0);
  EXPECT_EQ(board.left, 4);
  EXPECT_EQ(board.right, 2);
  const TagEntry handle = header.Entry(2);
  EXPECT_EQ(handle.parent, 1);
  EXPECT_EQ(handle.left, 5);
  EXPECT_EQ(handle.right, 3);
  for (int leaf : {3, 4, 5}) {
    EXPECT_EQ(header.Entry(leaf).left, 0) << leaf;
    EXPECT_EQ(header.Entry(leaf).right, 0) << leaf;
  }
  EXPECT_EQ(header.Entry(3).parent, 2);
  EXPECT_EQ(header.Entry(4).parent, 1);
  EXPECT_EQ(header.Entry(5).parent, 2);
  EXPECT_EQ(header.Bytes()[529], 1);
  EXPECT_EQ(header.Entry(2).keyType, 'N');
  EXPECT_EQ(header.FindTag("expireact"), 5);
}

TEST(MdxHeaderTest, EqualNamesGoRight) {
  MdxHeader header = MdxHeader::Create("t", {2026, 1, 1});
  ASSERT_TRUE(header.AddTag(4, "SAME", 'C'));
  ASSERT_TRUE(header.AddTag(6, "same", 'C'));
  EXPECT_EQ(header.Entry(1).right, 2);
  EXPECT_EQ(header.Entry(1).left, 0);
}

TEST(MdxHeaderTest, TableHoldsAtMost47TagsOfKnownKeyTypes) {
  MdxHeader header = MdxHeader::Create("t", {2026, 1, 1});
  EXPECT_FALSE(header.AddTag(4, "LOGICAL", 'L'));
  for (int i = 0; i < 47; ++i) {
    ASSERT_TRUE(header.AddTag(static_cast<std::uint32_t>(4 + 2 * i), "T" + std::to_string(i), 'D'));
  }
  EXPECT_FALSE(header.AddTag(200, "ONEMORE", 'C'));
  EXPECT_EQ(header.TagCount(), 47);
  EXPECT_EQ(header.Entry(47).name, "T46");
}

TEST(MdxHeaderTest, BlockCountAtOffset32CoversTheFileAndIsNeverLowered) {
  MdxHeader header = MdxHeader::Create("t", {2026, 1, 1});
  header.CountBlocks(8 * 512);
  EXPECT_EQ(GetLe32(header.Bytes().data() + 32), 8u);
  header.CountBlocks(8 * 512 + 1);
  EXPECT_EQ(header.BlockCount(), 9u) << "a part block is a block";
  header.CountBlocks(4 * 512);
  EXPECT_EQ(header.BlockCount(), 9u) << "a higher count another writer left stays";
}

TEST(MdxHeaderTest, WellFormedHeaderParsesBack) {
  const MdxHeader written = NoteHeader();
  MdxHeader read;
  ASSERT_EQ(MdxHeader::Parse(written.Bytes(), kFiveTagFileLength, &read), MdxFault::kNone);
  EXPECT_EQ(read.Bytes(), written.Bytes());
  EXPECT_EQ(read.CreationDate().year, 2026);
  EXPECT_EQ(read.UpdateDate().day, 9);
}

// A damaged copy of the note header and the fault it must raise.
struct Damage {
  const char* what;
  std::size_t offset;
  unsigned char value;
  MdxFault fault;
};

class MdxHeaderDamageTest : public ::testing::TestWithParam<Damage> {};

TEST_P(MdxHeaderDamageTest, DamagedHeaderIsRefused) {
  MdxHeader::Image image = NoteHeader().Bytes();
  image[GetParam().offset] = GetParam().value;
  MdxHeader read;
  EXPECT_EQ(MdxHeader::Parse(image, kFiveTagFileLength, &read), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    MdxHeaderFaults, MdxHeaderDamageTest,
    ::testing::Values(Damage{"node size 512", 23, 2, MdxFault::kHeaderLayout},
                      Damage{"entry size 16", 26, 16, MdxFault::kHeaderLayout},
                      Damage{"48 tags", 28, 48, MdxFault::kTagCount},
                      Damage{"tag header in block 0", 544 + 32, 0, MdxFault::kTagEntry},
                      Damage{"tag header past the end", 544 + 32 + 1, 1, MdxFault::kTagEntry},
                      Damage{"left link 48", 544 + 16, 48, MdxFault::kTagEntry},
                      Damage{"right link 200", 544 + 32 * 4 + 17, 200, MdxFault::kTagEntry},
                      Damage{"parent link 255", 544 + 18, 255, MdxFault::kTagEntry},
                      Damage{"key type L", 544 + 20, 'L', MdxFault::kTagEntry}),
    [](const auto& info) {
      std::string name;
      for (const char* c = info.param.what; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      }
      return name;
    });

TEST(MdxHeaderTest, FileShorterThanHeaderAndOneNodeIsNotAnIndex) {
  const MdxHeader written = MdxHeader::Create("t", {2026, 1, 1});
  MdxHeader read;
  EXPECT_EQ(MdxHeader::Parse(written.Bytes(), 3071, &read), MdxFault::kFileTooShort);
  EXPECT_EQ(MdxHeader::Parse(written.Bytes(), 3072, &read), MdxFault::kNone);
}

TEST(MdxHeaderTest, TagNameWithoutTerminatorIsRefused) {
  MdxHeader header = MdxHeader::Create("t", {2026, 1, 1});
  ASSERT_TRUE(header.AddTag(4, "ABCDEFGHIJ", 'C'));
  MdxHeader::Image image = header.Bytes();
  MdxHeader read;
  ASSERT_EQ(MdxHeader::Parse(image, 3072 + 1024, &read), MdxFault::kNone);
  image[544 + 14] = 'K';
  EXPECT_EQ(MdxHeader::Parse(image, 3072 + 1024, &read), MdxFault::kTagEntry);
}

TEST(MdxHeaderTest, EntriesPastTheTagCountAreNotChecked) {
  MdxHeader::Image image = NoteHeader().Bytes();
  image[512 + 32 * 6 + 20] = 'L';
  MdxHeader read;
  EXPECT_EQ(MdxHeader::Parse(image, kFiveTagFileLength, &read), MdxFault::kNone);
}

}  // namespace
}  // namespace pw
