// Appending, replacing, deleting and recalling records, and the lock rule
// that a shared table puts on each of them.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/lock.h"
#include "engine/table/record_buffer.h"
#include "engine/table/replace.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"

namespace pw::testing {
namespace {

using RecordEditTest = SmallTableTest;

TEST_F(RecordEditTest, AppendAddsTheImageAsTheCurrentRecord) {
  Open({" aaa"});
  ClearRecord();
  SetImageText("new");
  ASSERT_TRUE(Append()) << Detail();
  const WorkArea& area = CurrentArea();
  EXPECT_EQ(area.recordNumber, 2);
  EXPECT_EQ(area.recordCount, 2);
  EXPECT_FALSE(area.bof);
  EXPECT_FALSE(area.eof);
  EXPECT_EQ(Stored(2), " new");
  EXPECT_EQ(area.headerState, HeaderState::Appended);

  CloseWorkArea();
  const Bytes bytes = ReadBytes(path_);
  EXPECT_EQ(Le32(bytes, 4), 2u);
  EXPECT_EQ(bytes.size(), Le16(bytes, 8) + 2 * kRecordLength + 1);
  EXPECT_EQ(bytes.back(), 0x1A);
}

TEST_F(RecordEditTest, AppendAtEndOfFileClearsEof) {
  Open({"*aaa"});
  SetIgnoreDel(true);
  GoBottom();
  ASSERT_TRUE(CurrentArea().eof);
  SetImageText("bbb");
  ASSERT_TRUE(Append()) << Detail();
  EXPECT_FALSE(CurrentArea().eof);
  EXPECT_FALSE(CurrentArea().bof);
  EXPECT_EQ(CurrentArea().recordNumber, 2);
}

TEST_F(RecordEditTest, ReplaceWritesTheImageOverTheCurrentRecord) {
  Open({" aaa", " bbb", " ccc"});
  Go(2);
  SetImageText("xyz");
  ASSERT_TRUE(Replace()) << Detail();
  EXPECT_EQ(Stored(2), " xyz");
  EXPECT_EQ(Stored(3), " ccc");
  EXPECT_EQ(CurrentArea().recordCount, 3);
  EXPECT_EQ(CurrentArea().headerState, HeaderState::Dirty);
}

TEST_F(RecordEditTest, ReplaceNeedsACurrentRecord) {
  Open({});
  Replace();
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), "Database \"" + TableName() + "\" is empty. [REPLACE]");

  Open({"*aaa", "*bbb"});
  SetIgnoreDel(true);
  GoBottom();
  SetImageText("xyz");
  EXPECT_FALSE(Replace());
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), "Database \"" + TableName() + "\" is at EOF. [REPLACE]");
  EXPECT_EQ(ReadBytes(path_).size(), Le16(ReadBytes(path_), 8) + 2 * kRecordLength + 1);
}

TEST_F(RecordEditTest, DeleteWritesOnlyTheFlagByte) {
  Open({" aaa", " bbb"});
  Go(2);
  SetImageText("zzz");
  ASSERT_TRUE(DeleteRec()) << Detail();
  EXPECT_EQ(Stored(2), "*bbb");
  EXPECT_TRUE(Deleted());
  EXPECT_EQ(CurrentArea().raw[0], '*');
  EXPECT_EQ(CurrentArea().headerState, HeaderState::Dirty);

  ASSERT_TRUE(RecallRec()) << Detail();
  EXPECT_EQ(Stored(2), " bbb");
  EXPECT_FALSE(Deleted());
  EXPECT_EQ(ImageText(), "zzz");
}

TEST_F(RecordEditTest, DeleteAfterAppendKeepsTheEndMarkerDue) {
  Open({" aaa"});
  SetImageText("bbb");
  ASSERT_TRUE(Append());
  ASSERT_TRUE(DeleteRec());
  EXPECT_EQ(CurrentArea().headerState, HeaderState::Appended);
  CloseWorkArea();
  const Bytes bytes = ReadBytes(path_);
  EXPECT_EQ(Le32(bytes, 4), 2u);
  EXPECT_EQ(bytes.back(), 0x1A);
  EXPECT_EQ(Stored(2), "*bbb");
}

TEST_F(RecordEditTest, AtEndOfFileDeleteIsSilentAndRecallFails) {
  Open({" aaa"});
  Skip(1);
  ASSERT_TRUE(CurrentArea().eof);
  EXPECT_TRUE(DeleteRec());
  EXPECT_EQ(EngineErrorCode(), 0);
  EXPECT_EQ(Stored(1), " aaa");
  EXPECT_FALSE(Deleted());

  EXPECT_FALSE(RecallRec());
  EXPECT_EQ(EngineErrorCode(), 1103);
  EXPECT_EQ(Detail(), TableName() + " at EOF [RecallRec]");
}

TEST_F(RecordEditTest, RawRecordAccess) {
  Open({" aaa", "*bbb"});
  ClearRecord();
  EXPECT_EQ(RawText(), "    ");
  EXPECT_EQ(ImageText(), "   ");
  EXPECT_EQ(CurrentArea().recordNumber, 1);

  ASSERT_TRUE(GetDbfRecord(2));
  EXPECT_EQ(RawText(), "*bbb");
  EXPECT_EQ(ImageText(), "   ");  // not converted
  EXPECT_FALSE(Deleted());

  EXPECT_FALSE(GetDbfRecord(3));
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(Detail(), "Invalid record number = 3 (" + TableName() + ")  [GetDbfRecord]");

  CurrentArea().raw[1] = 'c';
  ASSERT_TRUE(PutDbfRecord(9));
  EXPECT_EQ(CurrentArea().recordNumber, 3);
  EXPECT_EQ(Stored(3), "*cbb");
}

class EditLockRuleTest : public SmallTableTest {
 protected:
  void SetUp() override {
    SmallTableTest::SetUp();
    Open({" aaa", " bbb"}, "");
    ASSERT_FALSE(CurrentArea().exclusive);
  }
};

TEST_F(EditLockRuleTest, AppendNeedsTheAppendLock) {
  SetImageText("new");
  EXPECT_FALSE(Append());
  EXPECT_EQ(EngineErrorCode(), 5);
  EXPECT_EQ(Detail(), "File must be locked to append: " + TableName() + " [APPEND]");
  EXPECT_EQ(Stored(3), "");

  ASSERT_TRUE(ALock());
  ASSERT_TRUE(Append()) << Detail();
  EXPECT_EQ(Stored(3), " new");
  EXPECT_EQ(CurrentArea().recordNumber, 3);
  EXPECT_FALSE(CurrentArea().bof);
  EXPECT_FALSE(CurrentArea().eof);
}

TEST_F(EditLockRuleTest, ReplaceNeedsTheRecordLocked) {
  Go(2);
  SetImageText("xyz");
  EXPECT_FALSE(Replace());
  EXPECT_EQ(EngineErrorCode(), 1200);
  EXPECT_EQ(Detail(), "Record #2 in " + TableName() + " [REPLACE]");
  EXPECT_EQ(Stored(2), " bbb");

  // A lock on another record is not enough.
  Go(1);
  ASSERT_TRUE(RLock());
  Go(2);
  SetImageText("xyz");
  EXPECT_FALSE(Replace());
  ASSERT_TRUE(RLock());
  EXPECT_TRUE(Replace()) << Detail();
  EXPECT_EQ(Stored(2), " xyz");
}

TEST_F(EditLockRuleTest, DeleteAndRecallNeedTheRecordLocked) {
  EXPECT_FALSE(DeleteRec());
  EXPECT_EQ(EngineErrorCode(), 1200);
  EXPECT_EQ(Detail(), TableName() + " Record not locked [DeleteRec]");
  EXPECT_FALSE(RecallRec());
  EXPECT_EQ(EngineErrorCode(), 1200);
  EXPECT_EQ(Detail(), "Record not locked [RecallRec]");
  EXPECT_EQ(Stored(1), " aaa");

  ASSERT_TRUE(RLock());
  EXPECT_TRUE(DeleteRec());
  EXPECT_EQ(Stored(1), "*aaa");
}

TEST_F(EditLockRuleTest, WithoutNetworkModeNoLockIsNeeded) {
  Settings().networkMode = false;
  SetImageText("xyz");
  EXPECT_TRUE(Replace()) << Detail();
  EXPECT_TRUE(DeleteRec());
  EXPECT_TRUE(Append());
  EXPECT_EQ(Stored(1), "*xyz");
  EXPECT_EQ(Stored(3), "*xyz");
}

}  // namespace
}  // namespace pw::testing
