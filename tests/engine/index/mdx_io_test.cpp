// Index files on disk: the layout of a new file for an empty table, round
// trips of every part through a real file, and damaged files and failing
// I/O reported instead of followed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/byte_order.h"
#include "engine/index/mdx_io.h"
#include "platform/os_error.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

using platform::Access;
using platform::File;
using platform::Sharing;

struct NoteTag {
  const char* name;
  TagDefinition definition;
};

const NoteTag kNoteTags[] = {
    {"BOARD", {KeyType::kCharacter, 50, "upper(Noteboard)", "", false, false}},
    {"HANDLE", {KeyType::kNumeric, 12, "handle", "", false, false}},
    {"SHOWING", {KeyType::kCharacter, 1, "showing", "", false, false}},
    {"ALARMACT", {KeyType::kCharacter, 1, "upper(alarmact)", "", false, false}},
    {"EXPIREACT", {KeyType::kCharacter, 1, "upper(expires)", "", false, false}},
};

class MdxIoTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir_.file("notes.mdx"); }

  std::vector<unsigned char> FileBytes() const {
    std::ifstream in(Path(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  void WriteFileBytes(const std::vector<unsigned char>& bytes) const {
    std::ofstream out(Path(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }

  // One tag of an empty table: an empty leaf, then the tag header naming it.
  static void AddEmptyTag(File& file, MdxHeader& header, const NoteTag& tag) {
    IndexNode leaf(ItemLengthFor(tag.definition.keyLength));
    std::uint32_t leafBlock = 0;
    ASSERT_EQ(AppendNode(file, leaf, &leafBlock), 0);
    TagHeader anchor;
    ASSERT_EQ(TagHeader::Create(tag.definition, leafBlock, &anchor), MdxFault::kNone);
    std::uint32_t anchorBlock = 0;
    ASSERT_EQ(AppendTagHeader(file, anchor, &anchorBlock), 0);
    ASSERT_TRUE(header.AddTag(anchorBlock, tag.name, static_cast<char>(tag.definition.keyType)));
  }

  // The index of an empty note table, built as a new file is built.
  void WriteNoteIndex() {
    File file;
    ASSERT_EQ(file.Create(Path(), Sharing::Exclusive), 0);
    MdxHeader header = MdxHeader::Create("notes", {2026, 12, 9});
    ASSERT_EQ(WriteMdxHeader(file, header), 0);
    for (const NoteTag& tag : kNoteTags) AddEmptyTag(file, header, tag);
    ASSERT_EQ(WriteMdxHeader(file, header), 0);
    ASSERT_EQ(file.Close(), 0);
  }

  File OpenIndex(Access access = Access::ReadWrite) const {
    File file;
    EXPECT_EQ(file.Open(Path(), access, Sharing::Shared), 0);
    return file;
  }

  test::TempDir dir_;
};

TEST_F(MdxIoTest, EmptyTableIndexHoldsPerTagAnEmptyLeafThenItsHeader) {
  WriteNoteIndex();
  const std::vector<unsigned char> bytes = FileBytes();
  ASSERT_EQ(bytes.size(), 2048u + 5 * 2048);
  EXPECT_EQ(bytes[28], 5);
  EXPECT_EQ(GetLe32(&bytes[32]), bytes.size() / 512);  // the blocks in the file
  const int itemLengths[] = {56, 16, 8, 8, 8};
  const int maxKeys[] = {18, 63, 126, 126, 126};
  for (int n = 0; n < 5; ++n) {
    const std::uint32_t leafBlock = 4 + 4 * static_cast<std::uint32_t>(n);
    const unsigned char* entry = &bytes[512 + 32 * (n + 1)];
    EXPECT_EQ(GetLe32(entry), leafBlock + 2) << n;
    const unsigned char* leaf = &bytes[leafBlock * 512];
    for (int i = 0; i < 1024; ++i) ASSERT_EQ(leaf[i], 0) << n << " byte " << i;
    const unsigned char* anchor = &bytes[(leafBlock + 2) * 512];
    EXPECT_EQ(GetLe32(anchor), leafBlock) << n;
    EXPECT_EQ(GetLe16(anchor + 18), itemLengths[n]) << n;
    EXPECT_EQ(GetLe16(anchor + 14), maxKeys[n]) << n;
  }
}

TEST_F(MdxIoTest, EmptyTableIndexReadsBack) {
  WriteNoteIndex();
  const File file = OpenIndex(Access::Read);
  MdxHeader header;
  ASSERT_EQ(ReadMdxHeader(file, &header), 0);
  ASSERT_EQ(header.TagCount(), 5);
  EXPECT_EQ(header.BaseName(), "notes");
  for (int n = 1; n <= 5; ++n) {
    const TagEntry entry = header.Entry(n);
    EXPECT_EQ(entry.name, kNoteTags[n - 1].name);
    TagHeader anchor;
    ASSERT_EQ(ReadTagHeader(file, entry.headerBlock, &anchor), 0);
    EXPECT_EQ(anchor.KeyExpression(), kNoteTags[n - 1].definition.keyExpression);
    IndexNode root(anchor.ItemLength());
    ASSERT_EQ(ReadNode(file, anchor.RootBlock(), anchor.ItemLength(), &root), 0);
    EXPECT_EQ(root.Count(), 0);
    EXPECT_TRUE(root.IsLeaf());
  }
}

TEST_F(MdxIoTest, NodesAndAnchorsRoundTripThroughTheFile) {
  WriteNoteIndex();
  File file = OpenIndex();
  MdxHeader header;
  ASSERT_EQ(ReadMdxHeader(file, &header), 0);
  TagHeader anchor;
  ASSERT_EQ(ReadTagHeader(file, header.Entry(2).headerBlock, &anchor), 0);

  IndexNode leaf(anchor.ItemLength());
  for (int i = 0; i < 63; ++i) {
    const PackedDecimal key = NumericKey(i * 7, 0);
    ASSERT_TRUE(
        leaf.Insert(i, static_cast<std::uint32_t>(i + 1), key.data(), 12, anchor.MaxKeys()));
  }
  std::uint32_t block = 0;
  ASSERT_EQ(AppendNode(file, leaf, &block), 0);
  EXPECT_EQ(block, 24u);
  EXPECT_FALSE(leaf.Changed());
  anchor.SetRootBlock(block);
  anchor.SetForSatisfied(true);
  ASSERT_EQ(WriteTagHeader(file, header.Entry(2).headerBlock, anchor), 0);

  IndexNode read(anchor.ItemLength());
  ASSERT_EQ(ReadNode(file, block, anchor.ItemLength(), &read), 0);
  EXPECT_EQ(read.Bytes(), leaf.Bytes());
  TagHeader reread;
  ASSERT_EQ(ReadTagHeader(file, header.Entry(2).headerBlock, &reread), 0);
  EXPECT_EQ(reread.RootBlock(), 24u);
  EXPECT_TRUE(reread.ForSatisfied());

  read.Remove(0);
  ASSERT_TRUE(read.Changed());
  ASSERT_EQ(WriteNode(file, block, read), 0);
  EXPECT_FALSE(read.Changed());
  IndexNode again(anchor.ItemLength());
  ASSERT_EQ(ReadNode(file, block, anchor.ItemLength(), &again), 0);
  EXPECT_EQ(again.Count(), 62);
  EXPECT_EQ(UnpackDecimal(again.Key(0)), 7.0);
}

TEST_F(MdxIoTest, AppendingKeepsNodesOnNodeBoundaries) {
  WriteNoteIndex();
  std::vector<unsigned char> bytes = FileBytes();
  bytes.resize(bytes.size() + 100, 0);  // a damaged tail
  WriteFileBytes(bytes);
  File file = OpenIndex();
  IndexNode node(8);
  std::uint32_t block = 0;
  ASSERT_EQ(AppendNode(file, node, &block), 0);
  EXPECT_EQ(block, 24u + 2);
  std::uint64_t size = 0;
  ASSERT_EQ(file.Size(&size), 0);
  EXPECT_EQ(size % 1024, 0u);
  EXPECT_EQ(size, (block + 2) * 512u);
}

TEST_F(MdxIoTest, FileShorterThan3072BytesIsNotAnIndex) {
  File file;
  ASSERT_EQ(file.Create(Path(), Sharing::Exclusive), 0);
  MdxHeader written = MdxHeader::Create("t", {2026, 1, 1});
  ASSERT_EQ(WriteMdxHeader(file, written), 0);
  std::vector<unsigned char> node(1023, 0);
  ASSERT_EQ(file.WriteAt(2048, node.data(), node.size()), 0);
  MdxHeader header;
  EXPECT_EQ(ReadMdxHeader(file, &header), kMdxCorrupted);
  ASSERT_EQ(file.WriteAt(3071, node.data(), 1), 0);
  EXPECT_EQ(ReadMdxHeader(file, &header), 0);
}

TEST_F(MdxIoTest, DamagedHeaderIsCorrupted) {
  WriteNoteIndex();
  std::vector<unsigned char> bytes = FileBytes();
  bytes[28] = 48;
  WriteFileBytes(bytes);
  MdxHeader header;
  EXPECT_EQ(ReadMdxHeader(OpenIndex(), &header), kMdxCorrupted);
}

TEST_F(MdxIoTest, BlocksOutsideTheFileAreRefused) {
  WriteNoteIndex();
  const File file = OpenIndex();
  IndexNode node(8);
  TagHeader anchor;
  for (std::uint32_t block : {0u, 2u, 3u, 24u, 23u, 0xFFFFFFFFu}) {
    EXPECT_EQ(ReadNode(file, block, 8, &node), kMdxCorrupted) << block;
    EXPECT_EQ(ReadTagHeader(file, block, &anchor), kMdxCorrupted) << block;
  }
  File writable = OpenIndex();
  EXPECT_EQ(WriteNode(writable, 24, node), kMdxCorrupted);
  EXPECT_EQ(WriteTagHeader(writable, 1, anchor), kMdxCorrupted);
  std::uint64_t size = 0;
  ASSERT_EQ(writable.Size(&size), 0);
  EXPECT_EQ(size, 2048u + 5 * 2048);
}

TEST_F(MdxIoTest, DamagedNodesAndAnchorsAreCorrupted) {
  WriteNoteIndex();
  std::vector<unsigned char> bytes = FileBytes();
  PutLe16(&bytes[4 * 512], 19);         // BOARD's leaf: 19 items of 56 bytes
  PutLe32(&bytes[10 * 512], 30);        // HANDLE's root past the end
  PutLe16(&bytes[14 * 512 + 18], 0);    // SHOWING's item length 0
  PutLe16(&bytes[18 * 512 + 12], 101);  // ALARMACT's key length 101
  WriteFileBytes(bytes);
  const File file = OpenIndex();
  IndexNode node(56);
  EXPECT_EQ(ReadNode(file, 4, 56, &node), kMdxCorrupted);
  TagHeader anchor;
  EXPECT_EQ(ReadTagHeader(file, 10, &anchor), kMdxCorrupted);
  EXPECT_EQ(ReadTagHeader(file, 14, &anchor), kMdxCorrupted);
  EXPECT_EQ(ReadTagHeader(file, 18, &anchor), kMdxCorrupted);
  EXPECT_EQ(ReadTagHeader(file, 22, &anchor), 0);
}

TEST_F(MdxIoTest, FailedInputAndOutputReportTheSystemCode) {
  WriteNoteIndex();
  File closed;
  MdxHeader header;
  EXPECT_EQ(ReadMdxHeader(closed, &header), platform::kFileNotOpen);
  IndexNode node(8);
  EXPECT_EQ(ReadNode(closed, 4, 8, &node), platform::kFileNotOpen);
  std::uint32_t block = 0;
  EXPECT_EQ(AppendNode(closed, node, &block), platform::kFileNotOpen);

  File readOnly = OpenIndex(Access::Read);
  node.SetTrailingPointer(0);
  ASSERT_TRUE(node.Changed());
  const int code = WriteNode(readOnly, 4, node);
  EXPECT_NE(code, 0);
  EXPECT_NE(code, kMdxCorrupted);
  EXPECT_TRUE(node.Changed());
  MdxHeader other = MdxHeader::Create("x", {2026, 1, 1});
  EXPECT_NE(WriteMdxHeader(readOnly, other), 0);
  EXPECT_EQ(FileBytes()[4], 'n');
}

}  // namespace
}  // namespace pw
