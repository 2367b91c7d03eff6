#include "common/error_state.h"
#include "dataset_test_support.h"
#include "support/forked_child.h"

namespace pw::test {
namespace {

using DbfTableSharing = DatasetTest;

TEST_F(DbfTableSharing, TwoComponentsOnOneTableKeepTheirOwnPositions) {
  auto main = NoteTable("notes.dbf", "TzNotes");
  main->Open();
  for (const char* d : {"one", "two", "three"}) {
    main->ClearRecord();
    main->SetFieldStr("desc", d);
    ASSERT_TRUE(main->ALock());
    main->AppendRec();
    main->UnLock();
  }
  auto window = NoteTable("notes.dbf", "TzNotesWindow");
  window->Open();
  EXPECT_NE(main->WorkArea(), window->WorkArea());
  window->SetOrderTo(0);
  main->Go(3);
  window->GoTop();
  EXPECT_EQ(main->GetFieldStr("desc").trimmed(), "three");
  EXPECT_EQ(window->GetFieldStr("desc").trimmed(), "one");
  window->Skip(1);
  EXPECT_EQ(main->RecNo(), 3);
  EXPECT_EQ(window->RecNo(), 2);
}

TEST_F(DbfTableSharing, RecordLockedByOneIsRefusedToTheOther) {
  auto main = NoteTable("notes.dbf", "TzNotes");
  main->Open();
  main->ClearRecord();
  ASSERT_TRUE(main->ALock());
  main->AppendRec();
  main->UnLock();
  auto window = NoteTable("notes.dbf", "TzNotesWindow");
  window->Open();
  ASSERT_TRUE(main->RLock());
  EXPECT_FALSE(window->RLock());
  window->UnLock();
  main->UnLock();
  EXPECT_TRUE(window->RLock());
  window->UnLock();
}

TEST_F(DbfTableSharing, EachSeesTheOthersAppends) {
  auto main = NoteTable("notes.dbf", "TzNotes");
  main->Open();
  auto window = NoteTable("notes.dbf", "TzNotesWindow");
  window->Open();
  window->ClearRecord();
  window->SetFieldStr("desc", "from window");
  ASSERT_TRUE(window->ALock());
  window->AppendRec();
  window->UnLock();
  EXPECT_EQ(main->RecordCount(), 1);
  main->GoTop();
  EXPECT_EQ(main->GetFieldStr("desc").trimmed(), "from window");
  main->ClearRecord();
  main->SetFieldStr("desc", "from main");
  ASSERT_TRUE(main->ALock());
  main->AppendRec();
  main->UnLock();
  window->Go(2);
  EXPECT_EQ(window->GetFieldStr("desc").trimmed(), "from main");
}

TEST_F(DbfTableSharing, AnotherProcessesAppendIsSeenAndItsLockRefused) {
  auto main = NoteTable("notes.dbf", "TzNotes");
  main->Open();
  ForkedChild child([this](ChildLink& link) {
    auto other = NoteTable("notes.dbf", "TzOther");
    other->Open();
    other->ClearRecord();
    other->SetFieldStr("desc", "child");
    if (!other->ALock()) return 3;
    other->AppendRec();
    other->UnLock();
    other->Go(1);
    link.Report(other->RLock() ? 1 : 0);
    link.WaitForParent();
    other->UnLock();
    other->Close();
    return 0;
  });
  ASSERT_EQ(child.NextReport(), 1);
  main->GoTop();
  EXPECT_EQ(main->GetFieldStr("desc").trimmed(), "child");
  EXPECT_FALSE(main->RLock());
  child.Continue();
  EXPECT_EQ(child.Finish(), 0);
  EXPECT_TRUE(main->RLock());
  main->UnLock();
}

}  // namespace
}  // namespace pw::test
