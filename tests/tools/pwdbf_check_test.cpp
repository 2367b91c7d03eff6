// pwdbf check on sound tables and on deliberately damaged indexes and memo
// references, and pwdbf reindex repairing a damaged index.
#include "engine/index/index_node.h"
#include "engine/index/mdx_io.h"
#include "platform/file.h"
#include "pwdbf_test_support.h"

namespace pw::testing {
namespace {

class PwdbfCheck : public PwdbfTest {
 protected:
  void SetUp() override {
    table_ = Create("notes.dbf", "NAME,C,12,0;SIZE,N,6,0;TEXT,M",
                    "NAME,F,F,upper(name);BIG,F,F,size FOR size > 10");
    Append(table_, Json::parse(R"([
      {"NAME": "delta", "SIZE": 40, "TEXT": "first memo"},
      {"NAME": "alpha", "SIZE": 5, "TEXT": "second memo"},
      {"NAME": "charlie", "SIZE": 12},
      {"NAME": "bravo", "SIZE": 30, "TEXT": "fourth memo"}
    ])"));
  }

  // Changes the leaf of tag `tag` (a one-node tree here) and writes it back.
  template <class Change>
  void DamageLeaf(int tag, Change change) const {
    platform::File file;
    ASSERT_EQ(file.Open(Path("notes.mdx"), platform::Access::ReadWrite, platform::Sharing::Shared),
              0);
    MdxHeader header;
    ASSERT_EQ(ReadMdxHeader(file, &header), 0);
    TagHeader anchor;
    ASSERT_EQ(ReadTagHeader(file, header.Entry(tag).headerBlock, &anchor), 0);
    IndexNode leaf(anchor.ItemLength());
    ASSERT_EQ(ReadNode(file, anchor.RootBlock(), anchor.ItemLength(), &leaf), 0);
    ASSERT_TRUE(leaf.IsLeaf());
    change(leaf, anchor.KeyLength());
    ASSERT_EQ(WriteNode(file, anchor.RootBlock(), leaf), 0);
  }

  ToolRun Check() const { return Run({"check", table_}); }

  std::string table_;
};

bool Mentions(const ToolRun& run, const std::string& text) {
  return run.out.find(text) != std::string::npos;
}

TEST_F(PwdbfCheck, FindsNoProblemInASoundTable) {
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_TRUE(Mentions(run, "no problems found (4 records, 3 memo references, 2 tags)")) << run.out;
}

TEST_F(PwdbfCheck, FindsAKeyChangedInALeaf) {
  DamageLeaf(1, [](IndexNode& leaf, int keyLength) {
    // The first key (ALPHA, record 2) becomes AARON: still in order.
    std::string key = "AARON";
    key.resize(static_cast<std::size_t>(keyLength), ' ');
    leaf.SetKey(0, reinterpret_cast<const unsigned char*>(key.data()), keyLength);
  });
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Mentions(run, "tag NAME: record 2 has key \"AARON\"")) << run.out;
  EXPECT_TRUE(Mentions(run, "its fields give \"ALPHA\"")) << run.out;
  EXPECT_TRUE(Mentions(run, "1 problem found")) << run.out;
}

TEST_F(PwdbfCheck, FindsKeysOutOfOrder) {
  DamageLeaf(1, [](IndexNode& leaf, int keyLength) {
    std::string key = "ZULU";
    key.resize(static_cast<std::size_t>(keyLength), ' ');
    leaf.SetKey(0, reinterpret_cast<const unsigned char*>(key.data()), keyLength);
  });
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Mentions(run, "sorts below the key before it \"ZULU\"")) << run.out;
}

// Rewrites every numeric key of tag BIG with only its significant digits
// counted, as another writer stores them (this engine counts at least ten).
void CountOnlySignificantDigits(IndexNode& leaf, int keyLength) {
  for (int i = 0; i < leaf.Count(); ++i) {
    std::vector<unsigned char> key(leaf.Key(i), leaf.Key(i) + keyLength);
    int digits = 0;
    for (int nibble = 0; nibble < 20; ++nibble) {
      const unsigned char byte = key[2 + static_cast<std::size_t>(nibble / 2)];
      if (((nibble % 2 == 0 ? byte >> 4 : byte) & 0x0F) != 0) digits = nibble + 1;
    }
    key[1] = static_cast<unsigned char>((key[1] & 0x83) | (digits << 2));
    leaf.SetKey(i, key.data(), keyLength);
  }
}

TEST_F(PwdbfCheck, NumericKeysCompareByValueWhateverTheirDigitCount) {
  DamageLeaf(2, CountOnlySignificantDigits);
  const ToolRun sound = Check();
  EXPECT_EQ(sound.exitCode, 0) << sound.out;
  DamageLeaf(2, [](IndexNode& leaf, int keyLength) {
    // The first key, 12 of record 3, becomes 13: still in order.
    std::vector<unsigned char> key(leaf.Key(0), leaf.Key(0) + keyLength);
    key[2] = 0x13;
    leaf.SetKey(0, key.data(), keyLength);
  });
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Mentions(run, "tag BIG: record 3 has key 13 in the tag")) << run.out;
  EXPECT_TRUE(Mentions(run, "its fields give 12")) << run.out;
  EXPECT_TRUE(Mentions(run, "1 problem found")) << run.out;
}

TEST_F(PwdbfCheck, NumericKeysArePrintedWithEveryStoredDigit) {
  DamageLeaf(2, [](IndexNode& leaf, int keyLength) {
    // 12 of record 3 becomes 12.000000000000000001: 20 digits, more than a
    // double holds.
    std::vector<unsigned char> key(leaf.Key(0), leaf.Key(0) + keyLength);
    key[1] = static_cast<unsigned char>((key[1] & 0x83) | (20 << 2));
    key[11] = 0x01;
    leaf.SetKey(0, key.data(), keyLength);
  });
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Mentions(run, "record 3 has key 12.000000000000000001 in the tag")) << run.out;
}

TEST_F(PwdbfCheck, BlankDecimalFieldStoredAsAPointIsNull) {
  const std::string table = Create("money.dbf", "AMOUNT,N,8,2;RATE,F,6,1");
  Append(table, Json::parse(R"([{"AMOUNT": 1.5, "RATE": 2}])"));
  std::string bytes = ReadFile(table);
  const std::size_t headerLength = static_cast<unsigned char>(bytes[8]) |
                                   static_cast<std::size_t>(static_cast<unsigned char>(bytes[9]))
                                       << 8;
  bytes.replace(headerLength + 1, 14, std::string("     .  ") + "    . ");
  WriteFile(table, bytes);
  const ToolRun run = Run({"check", table});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(Column(Dump(table), "AMOUNT"), std::vector<Json>{nullptr});
}

TEST_F(PwdbfCheck, FindsABlockCountBelowTheIndexFilesLength) {
  std::string bytes = ReadFile(Path("notes.mdx"));
  const std::size_t blocks = bytes.size() / 512;
  bytes.replace(32, 4, std::string("\x06\0\0\0", 4));
  WriteFile(Path("notes.mdx"), bytes);
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(
      Mentions(run, "the index header counts 6 blocks, the file holds " + std::to_string(blocks)))
      << run.out;
  ASSERT_EQ(Run({"reindex", table_}).exitCode, 0);
  EXPECT_EQ(Check().exitCode, 0);
}

TEST_F(PwdbfCheck, FindsARecordMissingFromATag) {
  // BIG holds records 4 (30), 3 (12)... in ascending size: 3, 4, 1.
  DamageLeaf(2, [](IndexNode& leaf, int) { ASSERT_TRUE(leaf.Remove(1)); });
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Mentions(run, "tag BIG: record 4 (key 30) is missing from the tag")) << run.out;
  EXPECT_FALSE(Mentions(run, "record 2")) << "record 2 does not meet the FOR condition\n"
                                          << run.out;
}

TEST_F(PwdbfCheck, FindsARecordOutsideTheForConditionInTheTag) {
  DamageLeaf(2, [](IndexNode& leaf, int) { leaf.SetPointer(0, 2); });
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Mentions(run, "record 2 is in the tag (block")) << run.out;
  EXPECT_TRUE(Mentions(run, "does not meet its FOR condition")) << run.out;
  EXPECT_TRUE(Mentions(run, "record 3 (key 12) is missing")) << run.out;
}

TEST_F(PwdbfCheck, FindsAMemoReferencePastTheEndOfTheMemoFile) {
  // Record 3's TEXT field: header, two records, the deletion flag, NAME, SIZE.
  std::string bytes = ReadFile(table_);
  const auto headerLength =
      static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
  const auto recordLength =
      static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
  bytes.replace(static_cast<std::size_t>(headerLength + 2 * recordLength + 1 + 12 + 6), 10,
                "      9999");
  WriteFile(table_, bytes);
  const ToolRun run = Check();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Mentions(run, "record 3 field TEXT: memo block 9999: Error # 1003")) << run.out;
}

TEST_F(PwdbfCheck, ReindexRepairsADamagedIndex) {
  DamageLeaf(2, [](IndexNode& leaf, int) { ASSERT_TRUE(leaf.Remove(0)); });
  ASSERT_EQ(Check().exitCode, 1);
  const ToolRun reindex = RunOk({"reindex", table_});
  EXPECT_NE(reindex.out.find("reindexed"), std::string::npos) << reindex.out;
  const ToolRun after = Check();
  EXPECT_EQ(after.exitCode, 0) << after.out;
  EXPECT_EQ(Column(Dump(table_, {"--order", "BIG"}), "_recno"), (std::vector<Json>{3, 4, 1}));
}

}  // namespace
}  // namespace pw::testing
