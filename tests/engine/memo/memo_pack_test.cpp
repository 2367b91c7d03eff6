// Packing the memo file: entries in record order, fields rewritten, damaged
// fields reported and kept, and a pack interrupted by a crash finished or
// thrown away by the next open.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/error_state.h"
#include "common/number_routines.h"
#include "common/text_routines.h"
#include "engine/memo/memo_pack.h"
#include "engine/memo/memo_pack_journal.h"
#include "engine/table/close_work_area.h"
#include "engine/table/go.h"
#include "engine/table/pack.h"
#include "engine/table/work_areas.h"
#include "memo_test_support.h"

namespace pw::testing {
namespace {

class MemoPackTest : public MemoTest {
 protected:
  // Table "t" whose three records point at blocks 9, 3 and 0 of a memo file
  // holding nine entries "memo 1" ... "memo 9".
  std::string NineEntryTable() {
    const std::string table = MakeTable("t", MemoKind::Dbase4, {0, 0, 0});
    Open(table);
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(WriteMemo("memo " + std::to_string(n)), n);
    PointAt(1, 9);
    PointAt(2, 3);
    CloseAll();
    return table;
  }
};

TEST_F(MemoPackTest, EntriesAreCopiedInRecordOrderAndFieldsRewritten) {
  const std::string table = NineEntryTable();
  Open(table);
  ASSERT_TRUE(Pack()) << Detail();
  EXPECT_EQ(StoredBlock(1), 1);
  EXPECT_EQ(StoredBlock(2), 2);
  EXPECT_EQ(StoredBlock(3), 0);
  EXPECT_EQ(ReadMemo(1), "memo 9");
  EXPECT_EQ(ReadMemo(2), "memo 3");
  const Bytes bytes = ReadBytes(Path("t.dbt"));
  EXPECT_EQ(bytes.size(), 1024u + 8 + 6);
  EXPECT_EQ(Le32(bytes, 0), 3u);
  EXPECT_EQ(Le16(bytes, 20), 512u);
  EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$$")));
  EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$J")));
}

TEST_F(MemoPackTest, FieldPointingPastTheEndIsReportedAndLeftAlone) {
  const std::string table = NineEntryTable();
  Open(table);
  PointAt(2, 40);
  EXPECT_TRUE(PackMemofile());
  EXPECT_EQ(EngineErrorCode(), 1003);
  EXPECT_EQ(Detail(), Path("t.dbt") + " Memo block # 40 Record # 2 [PackMemo]");
  EXPECT_EQ(StoredBlock(1), 1);
  EXPECT_EQ(StoredBlock(2), 40);
  EXPECT_EQ(ReadMemo(1), "memo 9");
}

TEST_F(MemoPackTest, EntryCutOffByTheEndIsSalvagedAndReported) {
  const std::string table = MakeTable("t", MemoKind::Dbase4, {1});
  Bytes memo = ReadBytes(Path("t.dbt"));
  memo.resize(512);
  const std::string entry(
      "\xFF\xFF\x08\x00\xE8\x03\x00\x00"
      "partial",
      15);
  memo.insert(memo.end(), entry.begin(), entry.end());
  WriteBytes(Path("t.dbt"), memo);
  Open(table);
  EXPECT_TRUE(PackMemofile());
  EXPECT_EQ(EngineErrorCode(), 1003);
  EXPECT_EQ(ReadMemo(StoredBlock(1)), "partial");
}

TEST_F(MemoPackTest, Dbase3AndFoxProFilesKeepTheirKind) {
  const std::string table3 = MakeTable("t3", MemoKind::Dbase3, {0});
  Open(table3);
  const std::int32_t headered = WriteMemo("with header");
  Bytes memo = ReadBytes(Path("t3.dbt"));
  memo.resize(1024);
  const std::string plain = "plain\x1Agarbage";
  memo.insert(memo.end(), plain.begin(), plain.end());
  WriteBytes(Path("t3.dbt"), memo);
  CloseAll();
  WriteBytes(table3, DbfBytes(0x83, {{"NAME", 'C', 10}, {"MEMO", 'M', 10}},
                              {" a                  2", " b                  1"}));
  Open(table3);
  ASSERT_TRUE(PackMemofile()) << Detail();
  EXPECT_EQ(headered, 1);
  EXPECT_EQ(ReadMemo(StoredBlock(1)), "plain");
  EXPECT_EQ(ReadMemo(StoredBlock(2)), "with header");
  const Bytes packed = ReadBytes(Path("t3.dbt"));
  EXPECT_EQ(std::string(packed.begin() + 512, packed.begin() + 518), "plain\x1A");

  const std::string tableF = MakeTable("tf", MemoKind::FoxPro, {0});
  Open(tableF);
  WriteMemo("one");
  WriteMemo("two");
  PointAt(1, 2);
  ASSERT_TRUE(PackMemofile()) << Detail();
  const Bytes fpt = ReadBytes(Path("tf.fpt"));
  EXPECT_EQ(fpt.size(), 512u + 8 + 3);
  EXPECT_EQ(fpt[3], 2);  // next free block, big-endian
  EXPECT_EQ(ReadMemo(StoredBlock(1)), "two");
}

// Crash states are made by packing a copy of the table and placing its
// result where the interrupted pack would have left it.
class MemoPackRecoveryTest : public MemoPackTest {
 protected:
  void SetUp() override {
    MemoPackTest::SetUp();
    table_ = NineEntryTable();
    oldTable_ = ReadBytes(table_);
    oldMemo_ = ReadBytes(Path("t.dbt"));
    Open(table_);
    ASSERT_TRUE(PackMemofile()) << Detail();
    CloseAll();
    packedTable_ = ReadBytes(table_);
    packedMemo_ = ReadBytes(Path("t.dbt"));
    WriteBytes(table_, oldTable_);
    WriteBytes(Path("t.dbt"), oldMemo_);
  }
  // The table as a pack killed after rewriting the first memo field leaves
  // it: record 1's block number already the packed one (1).
  Bytes WriteHalfRewrittenTable() {
    Bytes halfDone = oldTable_;
    const std::size_t field = 32 + 2 * 32 + 1 + 1 + 10;
    const std::string one = MemoFieldText(1);
    std::copy(one.begin(), one.end(), halfDone.begin() + field);
    WriteBytes(table_, halfDone);
    return halfDone;
  }
  // The journal the pack writes: record 1 to block 1, record 2 to block 2.
  void WriteJournal() {
    WriteBytes(Path("packed"), packedMemo_);
    platform::File packed;
    ASSERT_EQ(packed.Open(Path("packed"), platform::Access::Read, platform::Sharing::Shared), 0);
    PackedFingerprint fingerprint;
    ASSERT_EQ(FingerprintOf(packed, &fingerprint), 0);
    ASSERT_EQ(WritePackJournal(Path("t.dbt"), fingerprint, {{1, 2, 1}, {2, 2, 2}}), 0);
  }
  void ExpectPackedState() {
    Open(table_);
    EXPECT_EQ(EngineErrorCode(), 0) << Detail();
    EXPECT_EQ(ReadMemo(StoredBlock(1)), "memo 9");
    EXPECT_EQ(ReadMemo(StoredBlock(2)), "memo 3");
    CloseAll();
    EXPECT_EQ(ReadBytes(Path("t.dbt")), packedMemo_);
    EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$J")));
    EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$$")));
  }

  // Opens the table read-only and reads each record's memo through the
  // memo field the record shows.
  std::vector<std::string> ReadOnlyMemos() {
    Settings().forcedAccess = platform::Access::Read;
    Open(table_);
    std::vector<std::string> memos;
    for (std::int32_t record = 1; record <= 2; ++record) {
      Go(record);
      EXPECT_EQ(EngineErrorCode(), 0) << Detail();
      const WorkArea& area = CurrentArea();
      const FieldDef& memo = area.fields[1];
      const std::string shown(area.raw.begin() + memo.offset,
                              area.raw.begin() + memo.offset + memo.length);
      memos.push_back(ReadMemo(ValLongText(AllTrim(shown))));
    }
    EXPECT_TRUE(MemoPackInterrupted(CurrentArea()));
    CloseAll();
    Settings().forcedAccess.reset();
    return memos;
  }

  std::string table_;
  Bytes oldTable_, oldMemo_, packedTable_, packedMemo_;
};

TEST_F(MemoPackRecoveryTest, CrashBeforeTheJournalLeavesTheOldFiles) {
  WriteBytes(Path("t.dbt.$$$"), packedMemo_);
  Open(table_);
  EXPECT_EQ(StoredBlock(1), 9);
  EXPECT_EQ(ReadMemo(9), "memo 9");
  CloseAll();
  EXPECT_EQ(ReadBytes(Path("t.dbt")), oldMemo_);
}

TEST_F(MemoPackRecoveryTest, TornJournalIsThrownAwayWithTheTwin) {
  WriteBytes(Path("t.dbt.$$$"), packedMemo_);
  WriteJournal();
  Bytes journal = ReadBytes(Path("t.dbt.$$J"));
  journal.pop_back();
  WriteBytes(Path("t.dbt.$$J"), journal);
  Open(table_);
  EXPECT_EQ(StoredBlock(2), 3);
  EXPECT_EQ(ReadMemo(3), "memo 3");
  CloseAll();
  EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$J")));
  EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$$")));
  EXPECT_EQ(ReadBytes(Path("t.dbt")), oldMemo_);
}

TEST_F(MemoPackRecoveryTest, CrashAfterTheJournalIsFinishedOnOpen) {
  WriteBytes(Path("t.dbt.$$$"), packedMemo_);
  WriteJournal();
  ExpectPackedState();
}

TEST_F(MemoPackRecoveryTest, JournalWhosePackedFileIsGoneIsThrownAway) {
  WriteJournal();
  Open(table_);
  EXPECT_EQ(StoredBlock(1), 9);
  EXPECT_EQ(ReadMemo(9), "memo 9");
  CloseAll();
  EXPECT_FALSE(std::filesystem::exists(Path("t.dbt.$$J")));
  EXPECT_EQ(ReadBytes(table_), oldTable_);
}

TEST_F(MemoPackRecoveryTest, CrashWhileRewritingFieldsIsFinishedOnOpen) {
  WriteBytes(Path("t.dbt"), packedMemo_);
  WriteHalfRewrittenTable();
  WriteJournal();
  ExpectPackedState();
  EXPECT_EQ(ReadBytes(table_), packedTable_);
}

TEST_F(MemoPackRecoveryTest, ReadOnlyOpenReadsTheOldMemosWhileTheTwinWaits) {
  WriteBytes(Path("t.dbt.$$$"), packedMemo_);
  WriteJournal();
  const Bytes journal = ReadBytes(Path("t.dbt.$$J"));
  EXPECT_EQ(ReadOnlyMemos(), (std::vector<std::string>{"memo 9", "memo 3"}));
  // Nothing was changed: the next read-write open completes the pack.
  EXPECT_EQ(ReadBytes(table_), oldTable_);
  EXPECT_EQ(ReadBytes(Path("t.dbt")), oldMemo_);
  EXPECT_EQ(ReadBytes(Path("t.dbt.$$J")), journal);
  ExpectPackedState();
}

TEST_F(MemoPackRecoveryTest, ReadOnlyOpenReadsThePackedMemosWhileFieldsAreHalfRewritten) {
  WriteBytes(Path("t.dbt"), packedMemo_);
  const Bytes halfDone = WriteHalfRewrittenTable();
  WriteJournal();
  EXPECT_EQ(ReadOnlyMemos(), (std::vector<std::string>{"memo 9", "memo 3"}));
  EXPECT_EQ(ReadBytes(table_), halfDone);
  EXPECT_TRUE(std::filesystem::exists(Path("t.dbt.$$J")));
  ExpectPackedState();
}

TEST_F(MemoPackRecoveryTest, ReadOnlyOpenOfATornJournalReadsTheOldMemos) {
  WriteJournal();
  Bytes journal = ReadBytes(Path("t.dbt.$$J"));
  journal.pop_back();
  WriteBytes(Path("t.dbt.$$J"), journal);
  EXPECT_EQ(ReadOnlyMemos(), (std::vector<std::string>{"memo 9", "memo 3"}));
  EXPECT_TRUE(std::filesystem::exists(Path("t.dbt.$$J")));
}

}  // namespace
}  // namespace pw::testing
