// The memo stream: where entries go, what reads return, seeking, text
// translation and failed writes.
#include <gtest/gtest.h>

#include "common/code_page.h"
#include "common/error_state.h"
#include "engine/memo/blob_stream.h"
#include "engine/memo/memo_file.h"
#include "engine/table/close_work_area.h"
#include "memo_test_support.h"

namespace pw::testing {
namespace {

class MemoStreamTest : public MemoTest {};

TEST_F(MemoStreamTest, FirstMemoOfANewTablePadsBlockZeroAndLandsInBlockOne) {
  const std::string table = Create("notes", {Field("MEMO", 'M', 10)});
  const std::string memo = Path("notes.dbt");
  ASSERT_EQ(ReadBytes(memo).size(), 24u);
  Open(table);
  EXPECT_EQ(WriteMemo("hello"), 1);
  const Bytes bytes = ReadBytes(memo);
  ASSERT_EQ(bytes.size(), 520u + 5);
  EXPECT_EQ(Le32(bytes, 0), 0x7FFFFFFFu);
  EXPECT_EQ(Le16(bytes, 20), 512u);
  EXPECT_TRUE(std::all_of(bytes.begin() + 24, bytes.begin() + 512, [](auto b) { return b == 0; }));
  EXPECT_EQ(Le32(bytes, 512), 0x0008FFFFu);
  EXPECT_EQ(Le32(bytes, 516), 13u);
  EXPECT_EQ(std::string(bytes.begin() + 520, bytes.end()), "hello");
}

TEST_F(MemoStreamTest, RewritingAppendsANewEntryAtThePaddedEnd) {
  const std::string table = MakeTable("t", MemoKind::Dbase4);
  Open(table);
  EXPECT_EQ(WriteMemo("first"), 1);
  const std::size_t before = ReadBytes(Path("t.dbt")).size();
  EXPECT_EQ(WriteMemo("second"), 2);
  EXPECT_EQ(ReadBytes(Path("t.dbt")).size(), 1024u + 8 + 6);
  EXPECT_GT(ReadBytes(Path("t.dbt")).size(), before);
  EXPECT_EQ(ReadMemo(1), "first");
  EXPECT_EQ(ReadMemo(2), "second");
}

TEST_F(MemoStreamTest, WriteStreamClosedWithoutDataLeavesTheFileUnchanged) {
  for (MemoKind kind : {MemoKind::Dbase3, MemoKind::Dbase4, MemoKind::FoxPro}) {
    const std::string table = MakeTable("e" + std::to_string(static_cast<int>(kind)), kind);
    Open(table);
    const Bytes before = ReadBytes(MemoPath(table, kind));
    EXPECT_NE(CreateBlobDescriptor(false, 0, 2), 0);
    EXPECT_TRUE(CloseBlobStream());
    EXPECT_EQ(ReadBytes(MemoPath(table, kind)), before);
  }
}

TEST_F(MemoStreamTest, Dbase4EntryReadsExactlyItsLengthAndDbase3EntryStopsBeforeEndByte) {
  const std::string table = MakeTable("t4", MemoKind::Dbase4);
  Bytes memo = ReadBytes(MemoPath(table, MemoKind::Dbase4));
  memo.resize(512, 0);
  const std::string entry(
      "\xFF\xFF\x08\x00\x0B\x00\x00\x00"
      "abc\x1A"
      "def",
      15);
  memo.insert(memo.end(), entry.begin(), entry.end());
  WriteBytes(MemoPath(table, MemoKind::Dbase4), memo);
  Open(table);
  EXPECT_EQ(ReadMemo(1), "abc");

  const std::string table3 = MakeTable("t3", MemoKind::Dbase3);
  Bytes memo3 = ReadBytes(MemoPath(table3, MemoKind::Dbase3));
  memo3.resize(512);
  const std::string text = "old dBASE text\x1Atrailing";
  memo3.insert(memo3.end(), text.begin(), text.end());
  WriteBytes(MemoPath(table3, MemoKind::Dbase3), memo3);
  Open(table3);
  EXPECT_EQ(ReadMemo(1, false, 3), "old dBASE text");
  EXPECT_NE(CreateBlobDescriptor(false, 1, 1), 0);
  EXPECT_EQ(SeekBlobStream(0, 2), 14);
}

TEST_F(MemoStreamTest, SeekingToTheEndGivesTheLengthAndZeroForBlockZero) {
  Open(MakeTable("t", MemoKind::Dbase4));
  const std::int32_t block = WriteMemo(std::string(700, 'x'));
  EXPECT_NE(CreateBlobDescriptor(false, block, 1), 0);
  EXPECT_EQ(SeekBlobStream(0, 2), 700);
  EXPECT_EQ(SeekBlobStream(-10, 2), 690);
  EXPECT_EQ(SeekBlobStream(-1000, 1), 0);
  char buffer[20];
  EXPECT_EQ(SeekBlobStream(695, 0), 695);
  EXPECT_EQ(ReadBlobStream(buffer, sizeof buffer), 5u);
  EXPECT_TRUE(CloseBlobStream());
  EXPECT_EQ(CreateBlobDescriptor(false, 0, 1), 0);
  EXPECT_EQ(SeekBlobStream(0, 2), 0);
  EXPECT_EQ(ReadBlobStream(buffer, sizeof buffer), 0u);
}

TEST_F(MemoStreamTest, TextIsTranslatedToOemAndBinaryDataIsNot) {
  Open(MakeTable("t", MemoKind::Dbase4));
  const std::string text =
      "{\\rtf1 Gr\xFC\xDF"
      "e\r\n\tcaf\xE9}";
  const std::string binary = std::string("\x00\xFC\xE9", 3);
  const std::int32_t textBlock = WriteMemo(text, true);
  const std::int32_t binaryBlock = WriteMemo(binary, true);
  const Bytes bytes = ReadBytes(Path("t.dbt"));
  const auto stored = [&](std::int32_t block, std::size_t size) {
    return std::string(bytes.begin() + block * 512 + 8, bytes.begin() + block * 512 + 8 + size);
  };
  EXPECT_EQ(stored(textBlock, text.size()), AnsiToOem(text));
  EXPECT_NE(AnsiToOem(text), text);
  EXPECT_EQ(stored(binaryBlock, binary.size()), binary);
  EXPECT_EQ(ReadMemo(textBlock, true), text);
  EXPECT_EQ(ReadMemo(binaryBlock, true), binary);
  EXPECT_EQ(ReadMemo(textBlock, false), AnsiToOem(text));
}

TEST_F(MemoStreamTest, CallersBufferIsNotChangedByTranslation) {
  Open(MakeTable("t", MemoKind::Dbase4));
  std::string text = "caf\xE9";
  const std::string original = text;
  ASSERT_NE(CreateBlobDescriptor(true, 0, 2), 0);
  EXPECT_EQ(WriteBlobStream(text.data(), text.size()), text.size());
  EXPECT_TRUE(CloseBlobStream());
  EXPECT_EQ(text, original);
}

TEST_F(MemoStreamTest, BlockBeyondTheEndIsReportedAsInvalidAddress) {
  Open(MakeTable("t", MemoKind::Dbase4));
  WriteMemo("x");
  EXPECT_EQ(CreateBlobDescriptor(false, 7, 1), 0);
  EXPECT_EQ(EngineErrorCode(), 1003);
  EXPECT_NE(Detail().find("7 " + Path("t.dbt") + " Record # "), std::string::npos);
}

TEST_F(MemoStreamTest, Dbase3StreamsReturnNegatedBlocksAndFoxProUsesBigEndianHeaders) {
  Open(MakeTable("t3", MemoKind::Dbase3));
  EXPECT_EQ(CreateBlobDescriptor(false, 0, 2), -1);
  EXPECT_EQ(WriteBlobStream("abc", 3), 3u);
  EXPECT_TRUE(CloseBlobStream());
  const Bytes dbt = ReadBytes(Path("t3.dbt"));
  EXPECT_EQ(dbt.size(), 512u + 8 + 3);
  EXPECT_EQ(Le32(dbt, 512), 0x0008FFFFu);

  Open(MakeTable("tf", MemoKind::FoxPro));
  EXPECT_EQ(WriteMemo("abc"), 1);
  const Bytes fpt = ReadBytes(Path("tf.fpt"));
  ASSERT_EQ(fpt.size(), 512u + 8 + 3);
  EXPECT_EQ(fpt[0x203], 1);
  EXPECT_EQ(fpt[0x207], 3);
}

TEST_F(MemoStreamTest, FailedWriteIsReportedAndLeavesNoEntry) {
  const std::string table = MakeTable("t", MemoKind::Dbase4);
  Open(table);
  WriteMemo("kept");
  CloseAll();
  const Bytes before = ReadBytes(Path("t.dbt"));
  Settings().forcedAccess = platform::Access::Read;
  Open(table);
  ASSERT_NE(CreateBlobDescriptor(false, 0, 2), 0);
  EXPECT_EQ(WriteBlobStream("new", 3), 0u);
  EXPECT_NE(EngineErrorCode(), 0);
  EXPECT_NE(Detail().find("[WriteBlobStream]"), std::string::npos);
  EXPECT_FALSE(CloseBlobStream());
  EXPECT_EQ(ReadBytes(Path("t.dbt")), before);
  EXPECT_EQ(ReadMemo(1), "kept");
}

TEST_F(MemoStreamTest, StreamsNeedATableWithAMemoFile) {
  EXPECT_EQ(CreateBlobDescriptor(false, 1, 1), 0);
  EXPECT_EQ(EngineErrorCode(), 215);
  EXPECT_EQ(Detail(), " [CreateBlobDescriptor]");
  const std::string plain = Create("plain", {Field("NAME", 'C', 10)});
  Open(plain);
  EXPECT_EQ(ReadBlobStream(nullptr, 1), 0u);
  EXPECT_EQ(EngineErrorCode(), 1019);
  EXPECT_NE(Detail().find("No Memo Field [ReadBlobStream]"), std::string::npos);
}

}  // namespace
}  // namespace pw::testing
