// The memo stream: where entries go, what reads return, seeking, text
// translation and failed writes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/code_page.h"
#include "common/error_state.h"
#include "engine/memo/blob_stream.h"
#include "engine/memo/memo_file.h"
#include "engine/memo/memo_line_writer.h"
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
  EXPECT_EQ(Le32(bytes, 0), 2u);
  EXPECT_EQ(Le16(bytes, 20), 512u);
  EXPECT_TRUE(std::all_of(bytes.begin() + 24, bytes.begin() + 512, [](auto b) { return b == 0; }));
  EXPECT_EQ(Le32(bytes, 512), 0x0008FFFFu);
  EXPECT_EQ(Le32(bytes, 516), 13u);
  EXPECT_EQ(std::string(bytes.begin() + 520, bytes.end()), "hello");
}

// While the entry's size is unknown the header says "append at the end";
// once it is complete, the header holds the true next free block, where a
// writer that takes it at its word stores its next memo.
TEST_F(MemoStreamTest, HeaderHoldsTheNextFreeBlockOnceTheEntryIsComplete) {
  Open(MakeTable("t", MemoKind::Dbase4));
  for (std::size_t length : {5u, 504u, 1100u}) {
    const std::int32_t block = CreateBlobDescriptor(false, 0, 2);
    ASSERT_NE(block, 0);
    ASSERT_EQ(WriteBlobStream(std::string(length, 'm').data(), length), length);
    EXPECT_EQ(Le32(ReadBytes(Path("t.dbt")), 0), 0x7FFFFFFFu);
    ASSERT_TRUE(CloseBlobStream());
    const Bytes bytes = ReadBytes(Path("t.dbt"));
    EXPECT_EQ(Le32(bytes, 0), (bytes.size() + 511) / 512) << length;
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(block) * 512 + 8 + length);
  }
  for (MemoKind kind : {MemoKind::Dbase3, MemoKind::FoxPro}) {
    const std::string table = MakeTable("k" + std::to_string(static_cast<int>(kind)), kind);
    Open(table);
    WriteMemo(std::string(700, 'k'));
    const Bytes bytes = ReadBytes(MemoPath(table, kind));
    const std::uint32_t le = Le32(bytes, 0);
    const std::uint32_t next = kind == MemoKind::FoxPro ? __builtin_bswap32(le) : le;
    EXPECT_EQ(next, (bytes.size() + 511) / 512);
  }
}

TEST_F(MemoStreamTest, AppendAtEndInTheHeaderStillPlacesEntriesAtTheEnd) {
  const std::string table = MakeTable("t", MemoKind::Dbase4);
  Open(table);
  WriteMemo(std::string(600, 'a'));
  CloseAll();
  Bytes bytes = ReadBytes(Path("t.dbt"));
  bytes[0] = bytes[1] = bytes[2] = 0xFF;
  bytes[3] = 0x7F;
  WriteBytes(Path("t.dbt"), bytes);
  Open(table);
  MemoLineWriter writer;
  writer.EditMemo(0);
  writer.WriteLine("line");
  std::int32_t block = 0;
  ASSERT_TRUE(writer.CloseMemo(&block));
  EXPECT_EQ(block, 3);
  EXPECT_EQ(WriteMemo("next"), 4);
  EXPECT_EQ(ReadMemo(1), std::string(600, 'a'));
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

// A writer killed after its first piece leaves the padding, zeros where the
// entry header goes and the piece, under a header that says "append at the
// end": the old entry stays intact and the next entry goes after the
// abandoned bytes.
TEST_F(MemoStreamTest, WriterKilledBeforeCloseLeavesTheOldEntryAndTheEndUsable) {
  const std::string table = MakeTable("t", MemoKind::Dbase4);
  Open(table);
  const std::int32_t kept = WriteMemo("kept");
  CloseAll();
  const std::size_t sizeBefore = ReadBytes(Path("t.dbt")).size();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    Open(table);
    if (CreateBlobDescriptor(false, 0, 2) == 0 || WriteBlobStream("lost", 4) != 4) _exit(1);
    raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child failed before its kill";

  const Bytes bytes = ReadBytes(Path("t.dbt"));
  const std::size_t entryStart = (sizeBefore + 511) / 512 * 512;
  ASSERT_EQ(bytes.size(), entryStart + 8 + 4);
  EXPECT_EQ(Le32(bytes, 0), 0x7FFFFFFFu);
  EXPECT_TRUE(std::all_of(bytes.begin() + static_cast<long>(sizeBefore),
                          bytes.begin() + static_cast<long>(entryStart + 8),
                          [](auto b) { return b == 0; }));
  EXPECT_EQ(std::string(bytes.end() - 4, bytes.end()), "lost");
  Open(table);
  EXPECT_EQ(ReadMemo(kept), "kept");
  const std::int32_t next = WriteMemo("next");
  EXPECT_EQ(static_cast<std::size_t>(next) * 512, entryStart + 512);
  EXPECT_EQ(ReadMemo(next), "next");
  EXPECT_EQ(ReadMemo(kept), "kept");
}

}  // namespace
}  // namespace pw::testing
