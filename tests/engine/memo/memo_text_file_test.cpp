// The text-file interface: line reading and writing, AddMemo and CopyMemo.
#include <gtest/gtest.h>

#include "common/code_page.h"
#include "common/error_state.h"
#include "engine/memo/add_memo.h"
#include "engine/memo/copy_memo.h"
#include "engine/memo/memo_line_reader.h"
#include "engine/memo/memo_line_writer.h"
#include "engine/table/work_areas.h"
#include "memo_test_support.h"

namespace pw::testing {
namespace {

class MemoTextFileTest : public MemoTest {
 protected:
  std::vector<std::string> Lines(std::int32_t block) {
    MemoLineReader reader;
    EXPECT_TRUE(reader.AssignMemo(block)) << Detail();
    std::vector<std::string> lines;
    std::string line;
    while (reader.GetMemo(line)) lines.push_back(line);
    return lines;
  }
};

TEST_F(MemoTextFileTest, LinesEndAtCrCrLfAndTheSoftBreak) {
  Open(MakeTable("t", MemoKind::Dbase4));
  const std::int32_t block = WriteMemo(
      "one\rtwo\r\nthree\x8D"
      "four\n\r\r\nlast");
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"one", "two", "three", "four\n", "", "last"}));
  EXPECT_TRUE(Lines(0).empty());
}

TEST_F(MemoTextFileTest, LongLinesWrapAtTheirLastBlank) {
  Open(MakeTable("t", MemoKind::Dbase4));
  const std::string first = std::string(200, 'a') + " " + std::string(40, 'b');
  const std::string text = first + " " + std::string(30, 'c') + "\r" + std::string(300, 'd');
  const auto lines = Lines(WriteMemo(text));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], first);
  EXPECT_EQ(lines[1], std::string(30, 'c'));
  EXPECT_EQ(lines[2], std::string(254, 'd'));
  EXPECT_EQ(lines[3], std::string(46, 'd'));
}

TEST_F(MemoTextFileTest, LinesOfAnOemTableComeBackAsAnsi) {
  Open(MakeTable("t", MemoKind::Dbase4));
  const std::int32_t block =
      WriteMemo(AnsiToOem("Gr\xFC\xDF"
                          "e\r\ncaf\xE9"));
  EXPECT_EQ(Lines(block), (std::vector<std::string>{"Gr\xFC\xDF"
                                                    "e",
                                                    "caf\xE9"}));
}

TEST_F(MemoTextFileTest, WrittenLinesAreJoinedWithCrLfAndReadBack) {
  Open(MakeTable("t", MemoKind::Dbase4));
  MemoLineWriter writer;
  ASSERT_TRUE(writer.EditMemo(0));
  writer.WriteLine("first line");
  writer.WriteLine("Second line");
  std::int32_t block = 0;
  ASSERT_TRUE(writer.CloseMemo(&block)) << Detail();
  EXPECT_EQ(block, 1);
  EXPECT_EQ(ReadMemo(block), "first line\r\nSecond line");
  const Bytes bytes = ReadBytes(Path("t.dbt"));
  EXPECT_EQ(Le32(bytes, 0), (bytes.size() + 511) / 512);
}

TEST_F(MemoTextFileTest, ShorterTextIsRewrittenInPlaceAndLongerTextMoves) {
  Open(MakeTable("t", MemoKind::Dbase4));
  MemoLineWriter writer;
  std::int32_t block = 0;
  writer.EditMemo(0);
  writer.WriteLine(std::string(600, 'x'));
  ASSERT_TRUE(writer.CloseMemo(&block));
  writer.EditMemo(block);
  writer.WriteLine("short");
  std::int32_t again = 0;
  ASSERT_TRUE(writer.CloseMemo(&again));
  EXPECT_EQ(again, block);
  EXPECT_EQ(ReadMemo(again), "short");
  writer.EditMemo(again);
  writer.WriteLine(std::string(1200, 'y'));
  ASSERT_TRUE(writer.CloseMemo(&again));
  EXPECT_EQ(again, 3);
  EXPECT_EQ(ReadMemo(again), std::string(1200, 'y'));
}

TEST_F(MemoTextFileTest, NoTextGivesBlockZeroAndOnlyUpdatesTheHeader) {
  Open(MakeTable("t", MemoKind::Dbase4));
  WriteMemo("abc");
  MemoLineWriter writer;
  writer.EditMemo(1);
  std::int32_t block = 7;
  ASSERT_TRUE(writer.CloseMemo(&block));
  EXPECT_EQ(block, 0);
  const Bytes bytes = ReadBytes(Path("t.dbt"));
  EXPECT_EQ(bytes.size(), 523u);
  EXPECT_EQ(Le32(bytes, 0), 2u);
}

TEST_F(MemoTextFileTest, Dbase3TextEntriesEndWithTheEndByte) {
  Open(MakeTable("t", MemoKind::Dbase3));
  const std::int32_t block = AddMemo("plain");
  EXPECT_EQ(block, 1);
  const Bytes bytes = ReadBytes(Path("t.dbt"));
  EXPECT_EQ(std::string(bytes.begin() + 512, bytes.end()), "plain\x1A");
  EXPECT_EQ(ReadMemo(block), "plain");
  EXPECT_EQ(AddMemo("more"), 2);
  EXPECT_EQ(ReadMemo(2), "more");
}

TEST_F(MemoTextFileTest, CopyMemoCopiesAnEntryBetweenTables) {
  Select(1);
  Open(MakeTable("source", MemoKind::Dbase3));
  const std::string data = std::string("abc\0def", 7);
  Bytes memo = ReadBytes(Path("source.dbt"));
  memo.resize(512);
  memo.insert(memo.end(), data.begin(), data.end());
  memo.push_back(0x1A);
  WriteBytes(Path("source.dbt"), memo);
  Select(2);
  Open(MakeTable("target", MemoKind::FoxPro));
  const std::int32_t block = CopyMemo(1, 1);
  EXPECT_EQ(block, 1) << Detail();
  EXPECT_EQ(ReadMemo(block), "abc");
  EXPECT_EQ(CopyMemo(5, 1), 0);
  EXPECT_EQ(EngineErrorCode(), 1019);
}

}  // namespace
}  // namespace pw::testing
