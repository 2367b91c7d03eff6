// One process appends to a shared table under the append lock while another
// reads it: the reader reaches the new records by its next forward movement,
// and the file is whole after both have closed.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/table/append.h"
#include "engine/table/close_work_area.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/lock.h"
#include "engine/table/record_buffer.h"
#include "engine/table/replace.h"
#include "engine/table/skip.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "small_table_test.h"
#include "support/forked_child.h"

namespace pw::testing {
namespace {

using AppendProcessTest = SmallTableTest;

// Appends `text` under the append lock; reports the new record number, or
// -(error code) on failure.
void AppendLocked(test::ChildLink& link, const std::string& text) {
  if (!ALock()) {
    link.Report(-1);
    return;
  }
  ClearRecord();
  SmallTableTest::SetImageText(text);
  const bool appended = Append();
  Unlock();
  link.Report(appended ? CurrentArea().recordNumber : -EngineErrorCode());
}

TEST_F(AppendProcessTest, ReaderReachesRecordsAppendedByAnotherProcess) {
  Open({" aaa", " bbb"}, "");
  test::ForkedChild writer([this](test::ChildLink& link) {
    if (!Use(path_)) {
      link.Report(-1);
      return;
    }
    link.WaitForParent();
    AppendLocked(link, "ccc");
    AppendLocked(link, "ddd");
    link.WaitForParent();
    AppendLocked(link, "eee");
    link.WaitForParent();
    CloseAll();
    link.Report(EngineErrorCode());
  });

  GoBottom();
  ASSERT_EQ(CurrentArea().recordNumber, 2);
  writer.Continue();
  ASSERT_EQ(writer.NextReport(), 3);
  ASSERT_EQ(writer.NextReport(), 4);

  // Skip forward from the last record known here.
  Skip(1);
  EXPECT_EQ(EngineErrorCode(), 0) << Detail();
  EXPECT_FALSE(CurrentArea().eof);
  EXPECT_EQ(CurrentArea().recordNumber, 3);
  EXPECT_EQ(ImageText(), "ccc");

  writer.Continue();
  ASSERT_EQ(writer.NextReport(), 5);
  GoBottom();
  EXPECT_EQ(CurrentArea().recordNumber, 5);
  EXPECT_EQ(ImageText(), "eee");

  // The reader edits too, so that its close rewrites the prolog after the writer's.
  Go(1);
  ASSERT_TRUE(RLock());
  SetImageText("AAA");
  ASSERT_TRUE(Replace()) << Detail();

  writer.Continue();
  EXPECT_EQ(writer.NextReport(), 0);
  EXPECT_EQ(writer.Finish(), 0);
  CloseAll();
  EXPECT_EQ(EngineErrorCode(), 0) << Detail();

  const Bytes bytes = ReadBytes(path_);
  const std::size_t headerLength = Le16(bytes, 8);
  EXPECT_EQ(Le32(bytes, 4), 5u);
  ASSERT_EQ(bytes.size(), headerLength + 5 * kRecordLength + 1);
  EXPECT_EQ(bytes.back(), 0x1A);
  EXPECT_EQ(std::string(bytes.begin() + headerLength, bytes.end() - 1), " AAA bbb ccc ddd eee");
}

}  // namespace
}  // namespace pw::testing
