// Damaged memo files (cut short, headers and fields pointing anywhere, free
// lists in loops) are read as far as they go and reported, never read or
// written out of bounds, and never hang.
#include <gtest/gtest.h>

#include <random>

#include "common/error_state.h"
#include "engine/memo/blob_stream.h"
#include "engine/memo/memo_commit.h"
#include "engine/memo/memo_free_list.h"
#include "engine/memo/memo_line_reader.h"
#include "engine/memo/memo_line_writer.h"
#include "engine/memo/memo_pack.h"
#include "engine/memo/memo_pack_journal.h"
#include "engine/memo/memo_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "memo_test_support.h"

namespace pw::testing {
namespace {

class MemoDamageTest : public MemoTest {
 protected:
  void SetUp() override {
    MemoTest::SetUp();
    savedCommit_ = SetMemoCommitOnClose(false);
  }
  void TearDown() override {
    SetMemoCommitOnClose(savedCommit_);
    MemoTest::TearDown();
  }

 private:
  bool savedCommit_ = true;
};

void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  if (bytes.size() < at + 4) bytes.resize(at + 4, 0);
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// Reads every record's memo through a stream, the size first as the data
// set layer does, and line by line; checks that no read returns more than
// the file holds.
void ReadEverything(std::uint64_t memoSize) {
  WorkArea& area = CurrentArea();
  for (std::int32_t record = 1; record <= area.recordCount; ++record) {
    for (std::int32_t block : {0, 1, 2, 3, 5, 9, 1000000, -4}) {
      if (CreateBlobDescriptor(true, block + record, 1) == 0) continue;
      const std::int64_t size = SeekBlobStream(0, 2);
      ASSERT_GE(size, 0);
      SeekBlobStream(0, 0);
      std::uint64_t total = 0;
      char buffer[700];
      while (std::size_t got = ReadBlobStream(buffer, sizeof buffer)) total += got;
      ASSERT_LE(total, memoSize);
      CloseBlobStream();
    }
    MemoLineReader reader;
    reader.AssignMemo(record);
    std::string line;
    std::uint64_t lines = 0;
    while (reader.GetMemo(line)) ASSERT_LE(++lines, memoSize + 1);
  }
}

TEST_F(MemoDamageTest, MutatedFilesNeverCrashHangOrOverrun) {
  std::mt19937 random(20240611);
  const MemoKind kinds[] = {MemoKind::Dbase3, MemoKind::Dbase4, MemoKind::FoxPro};
  std::vector<std::string> tables;
  std::vector<Bytes> tableBytes, memoBytes;
  for (MemoKind kind : kinds) {
    const std::string name = "k" + std::to_string(tables.size());
    tables.push_back(MakeTable(name, kind, {1, 2, 4, 0}));
    Open(tables.back());
    WriteMemo("first\r\nline");
    WriteMemo(std::string(300, 'y') + "\x8D" + std::string(900, 'z'));
    WriteMemo(std::string(600, 'w'));
    CloseAll();
    tableBytes.push_back(ReadBytes(tables.back()));
    memoBytes.push_back(ReadBytes(MemoPath(tables.back(), kind)));
  }
  constexpr int kRounds = 2400;
  for (int round = 0; round < kRounds; ++round) {
    const std::size_t k = random() % 3;
    Bytes memo = memoBytes[k];
    Bytes table = tableBytes[k];
    for (int n = random() % 4 + 1; n > 0; --n) {
      switch (random() % 6) {
        case 0:
          memo[random() % memo.size()] = static_cast<unsigned char>(random());
          break;
        case 1:  // next free block, block size, entry lengths
          PutLe32(memo, std::vector<std::size_t>{0, 4, 6, 20, 516, 1028, 1540}[random() % 7],
                  static_cast<std::uint32_t>(random()) >> (random() % 32));
          break;
        case 2:
          memo.resize(random() % (memo.size() + 1));
          break;
        case 3:
          memo.insert(memo.end(), random() % 100, static_cast<unsigned char>(random()));
          break;
        case 4: {  // a memo field pointing anywhere
          const std::string text =
              MemoFieldText(static_cast<std::uint32_t>(random()) >> (random() % 32));
          const std::size_t field = table.size() - 1 - (random() % 4 + 1) * 21 + 11;
          std::copy(text.begin(), text.end(), table.begin() + field);
          break;
        }
        default:  // a free list looping back on itself
          PutLe32(memo, 0, 2);
          PutLe32(memo, 1024, 1);
          PutLe32(memo, 1028, 1);
          break;
      }
    }
    const std::string memoPath = MemoPath(tables[k], kinds[k]);
    WriteBytes(tables[k], table);
    WriteBytes(memoPath, memo);
    if (!Use(tables[k])) {
      ClearEngineError();
      continue;
    }
    ReadEverything(memo.size());
    if (round % 3 == 0) {
      MemoLineWriter writer;
      std::int32_t block = 0;
      writer.EditMemo(static_cast<std::int32_t>(random() % 6));
      writer.WriteLine(std::string(random() % 1500, 'n'));
      writer.CloseMemo(&block);
      WriteMemo(std::string(random() % 1100, 's'));
    }
    if (round % 50 == 0 && PackMemofile()) {
      const bool reported = EngineErrorCode() == 1003;
      const std::uint64_t packedSize = ReadBytes(memoPath).size();
      const auto blockSize = MemoOf(CurrentArea())->blockSize;
      for (std::int32_t record = 1; record <= 4; ++record) {
        const std::int64_t block = StoredBlock(record);
        // A field is either rewritten into the packed file or one that was reported.
        if (block * blockSize >= static_cast<std::int64_t>(packedSize)) {
          EXPECT_TRUE(reported) << "round " << round;
        }
      }
    }
    CloseAll();
    ClearEngineError();
    TakeDetailText();
  }
}

TEST_F(MemoDamageTest, FreeListLoopEndsInAnAppend) {
  Open(MakeTable("t", MemoKind::Dbase4));
  WriteMemo(std::string(1200, 'a'));  // blocks 1-3
  MemoState& memo = *MemoOf(CurrentArea());
  Bytes bytes = ReadBytes(Path("t.dbt"));
  PutLe32(bytes, 0, 1);
  PutLe32(bytes, 512, 2);
  PutLe32(bytes, 516, 1);
  PutLe32(bytes, 1024, 1);  // run 2 points back at run 1
  PutLe32(bytes, 1028, 1);
  bytes.resize(2048, 0);
  WriteBytes(Path("t.dbt"), bytes);
  std::uint32_t block = 0;
  ASSERT_TRUE(AllocateEntry(memo, 4, 0, 600, "test", &block));
  EXPECT_EQ(block, 4u);
  EXPECT_EQ(Le32(ReadBytes(Path("t.dbt")), 0), 6u);
}

TEST_F(MemoDamageTest, FreeRunsAreTakenOutOfTheListAndGivenBackInOrder) {
  Open(MakeTable("t", MemoKind::Dbase4));
  MemoState& memo = *MemoOf(CurrentArea());
  Bytes bytes(10 * 512, 0);
  PutLe32(bytes, 0, 2);     // head: run at 2
  PutLe32(bytes, 1024, 6);  // run 2: 2 blocks, next run 6
  PutLe32(bytes, 1028, 2);
  PutLe32(bytes, 3072, 10);  // run 6: 3 blocks, end of list
  PutLe32(bytes, 3076, 3);
  bytes[20] = 0;
  bytes[21] = 2;
  WriteBytes(Path("t.dbt"), bytes);
  std::uint32_t block = 0;
  ASSERT_TRUE(AllocateEntry(memo, 10, 0, 600, "test", &block));  // needs 2 blocks
  EXPECT_EQ(block, 2u);
  Bytes after = ReadBytes(Path("t.dbt"));
  EXPECT_EQ(Le32(after, 0), 6u);
  ASSERT_TRUE(AllocateEntry(memo, 10, 0, 100, "test", &block));  // 1 block of run 6
  EXPECT_EQ(block, 6u);
  after = ReadBytes(Path("t.dbt"));
  EXPECT_EQ(Le32(after, 0), 7u);
  EXPECT_EQ(Le32(after, 7 * 512), 10u);
  EXPECT_EQ(Le32(after, 7 * 512 + 4), 2u);
  ASSERT_TRUE(GiveBackBlocks(memo, 10, 4, 1, "test"));
  after = ReadBytes(Path("t.dbt"));
  EXPECT_EQ(Le32(after, 0), 4u);
  EXPECT_EQ(Le32(after, 4 * 512), 7u);
  EXPECT_EQ(Le32(after, 4 * 512 + 4), 1u);
}

TEST_F(MemoDamageTest, UnreasonableBlockSizeRefusesTheOpen) {
  const std::string table = MakeTable("t", MemoKind::Dbase4);
  Bytes memo = ReadBytes(Path("t.dbt"));
  memo[20] = 3;
  memo[21] = 0;
  WriteBytes(Path("t.dbt"), memo);
  EXPECT_FALSE(Use(table));
  EXPECT_EQ(EngineErrorCode(), 1003);
}

}  // namespace
}  // namespace pw::testing
