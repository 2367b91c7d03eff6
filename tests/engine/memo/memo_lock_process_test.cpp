// The memo lock on byte 10 keeps the appending writers of a shared table in
// two processes apart.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/memo/blob_stream.h"
#include "engine/table/close_work_area.h"
#include "engine/table/use.h"
#include "memo_test_support.h"
#include "support/forked_child.h"

namespace pw::testing {
namespace {

class MemoLockProcessTest : public MemoTest {};

TEST_F(MemoLockProcessTest, SecondProcessCannotAppendWhileAWriteStreamIsOpen) {
  const std::string table = MakeTable("shared", MemoKind::Dbase4);
  Settings().networkMode = true;
  test::ForkedChild child([&](test::ChildLink& link) {
    link.WaitForParent();
    if (!Use(table)) {
      link.Report(-1);
      return;
    }
    link.Report(CreateBlobDescriptor(false, 0, 2));
    link.Report(EngineErrorCode());
    link.WaitForParent();
    const std::int32_t block = CreateBlobDescriptor(false, 0, 2);
    const bool written = WriteBlobStream("child", 5) == 5 && CloseBlobStream();
    link.Report(written ? block : -2);
    CloseAll();
  });
  Open(table);
  ASSERT_EQ(CreateBlobDescriptor(false, 0, 2), 1) << Detail();
  ASSERT_EQ(WriteBlobStream("parent", 6), 6u);
  child.Continue();
  EXPECT_EQ(child.NextReport(), 0);
  EXPECT_EQ(child.NextReport(), 1017);
  ASSERT_TRUE(CloseBlobStream()) << Detail();
  child.Continue();
  EXPECT_EQ(child.NextReport(), 2);
  EXPECT_EQ(child.Finish(), 0);
  EXPECT_EQ(ReadMemo(1), "parent");
  EXPECT_EQ(ReadMemo(2), "child");
}

}  // namespace
}  // namespace pw::testing
