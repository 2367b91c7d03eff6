#include "common/date_settings.h"
#include "common/error_state.h"
#include "dataset/memo_stream.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

using DirectOps = DatasetTest;

TEST_F(DirectOps, GoTopOnAnEmptyTableLeavesBofAndEof) {
  auto small = SmallTable();
  small->Open();
  small->GoTop();
  EXPECT_TRUE(small->Bof());
  EXPECT_TRUE(small->Eof());
  int visited = 0;
  while (!small->Eof()) {
    ++visited;
    small->Skip(1);
  }
  EXPECT_EQ(visited, 0);
}

TEST_F(DirectOps, AppendedRecordsAreVisitedInOrder) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  AddRecord(*small, "cherry", 3);
  AddRecord(*small, "banana", 2);
  QStringList names;
  small->SetOrderTo(0);  // the production index's first tag controls after the open
  small->GoTop();
  while (!small->Eof()) {
    names << small->GetFieldStr("name").trimmed();
    small->Skip(1);
  }
  EXPECT_EQ(names, QStringList({"apple", "cherry", "banana"}));
  small->SetOrderToTag("NAME");
  names.clear();
  for (small->GoTop(); !small->Eof(); small->Skip(1)) names << small->GetFieldStr("name").trimmed();
  EXPECT_EQ(names, QStringList({"apple", "banana", "cherry"}));
}

TEST_F(DirectOps, FieldTextsHaveTheFieldWidths) {
  auto notes = NoteTable();
  notes->Open();
  notes->ClearRecord();
  notes->SetFieldStr("desc", "Shopping");
  notes->SetFieldStr("showing", "Y");
  notes->SetFieldInt("color", 10092543);
  notes->SetFieldFloat("capfontsiz", 9.5);
  ASSERT_TRUE(notes->ALock());
  notes->AppendRec();
  notes->UnLock();
  EXPECT_EQ(notes->GetFieldStr("showing"), "Y");
  EXPECT_EQ(notes->GetFieldStr("desc").size(), 50);
  EXPECT_EQ(notes->GetFieldStr("desc").trimmed(), "Shopping");
  EXPECT_EQ(notes->GetFieldStr("color"), "  10092543");
  EXPECT_EQ(notes->GetFieldStr("capfontsiz"), "  9.5");
  EXPECT_EQ(notes->GetFieldInt("color"), 10092543);
  EXPECT_DOUBLE_EQ(notes->GetFieldFloat("capfontsiz"), 9.5);
  EXPECT_EQ(notes->GetFieldInt("num1"), 0);
}

TEST_F(DirectOps, BlankDateReadsAsTheBlankDateText) {
  auto notes = NoteTable();
  notes->Open();
  notes->ClearRecord();
  ASSERT_TRUE(notes->ALock());
  notes->AppendRec();
  notes->UnLock();
  EXPECT_EQ(notes->GetFieldStr("alarmdate"), "  /  /    ");
  EXPECT_EQ(notes->GetFieldDate("alarmdate"), "  /  /    ");
  notes->SetFieldDate("alarmdate", "12/24/2023");
  EXPECT_EQ(notes->GetFieldDate("alarmdate"), "12/24/2023");
  notes->SetFieldDate("alarmdate", "  /  /    ");
  EXPECT_EQ(notes->GetFieldStr("alarmdate"), "  /  /    ");
}

TEST_F(DirectOps, InvalidDateTextWarnsAndStoresBlank) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  small->SetFieldDate("day", "13/45/2020");
  EXPECT_EQ(ui_.warnings, QStringList({"        Invalid date       "}));
  EXPECT_TRUE(small->FieldValue("day").toDate().isNull());
}

TEST_F(DirectOps, LongFieldNamesAreCutToTen) {
  auto notes = NoteTable();
  notes->Open();
  notes->ClearRecord();
  notes->SetFieldStr("expiredateXY", "01/02/2024");
  EXPECT_EQ(notes->GetFieldStr("EXPIREDATEZZ"), "01/02/2024");
  EXPECT_THROW(notes->GetFieldStr("nosuchfield"), EngineError);
}

TEST_F(DirectOps, SettingAFieldAndMovingLosesTheChange) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  AddRecord(*small, "banana", 2);
  small->Go(1);
  small->SetFieldStr("name", "changed");
  EXPECT_EQ(small->State(), RecordSetState::kEdit);
  small->Go(2);
  small->Go(1);
  EXPECT_EQ(small->GetFieldStr("name").trimmed(), "apple");
  EXPECT_EQ(small->State(), RecordSetState::kBrowse);
}

TEST_F(DirectOps, ReplaceRecWritesTheSetFields) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  small->SetFieldInt("qty", 42);
  ASSERT_TRUE(small->RLock());
  small->ReplaceRec();
  small->UnLock();
  small->Go(1);
  EXPECT_EQ(small->GetFieldInt("qty"), 42);
}

TEST_F(DirectOps, RecordCountIncludesDeletedRecords) {
  auto small = SmallTable();
  small->SetHideDeletedRecs(true);
  small->Open();
  for (int i = 1; i <= 10; ++i) AddRecord(*small, QString("n%1").arg(i), i);
  for (int n : {2, 5, 7}) {
    small->Go(n);
    ASSERT_TRUE(small->RLock());
    small->DeleteRec();
    small->UnLock();
  }
  EXPECT_EQ(small->RecordCount(), 10);
  int visible = 0;
  for (small->GoTop(); !small->Eof(); small->Skip(1)) {
    EXPECT_FALSE(small->Deleted());
    ++visible;
  }
  EXPECT_EQ(visible, 7);
  EXPECT_TRUE(small->Pack());
  EXPECT_EQ(small->RecordCount(), 7);
}

TEST_F(DirectOps, DeletingTheCurrentHiddenRecordMovesToTheNext) {
  auto small = SmallTable();
  small->SetHideDeletedRecs(true);
  small->Open();
  AddRecord(*small, "a", 1);
  AddRecord(*small, "b", 2);
  small->Go(1);
  ASSERT_TRUE(small->RLock());
  small->DeleteRec();
  small->UnLock();
  EXPECT_EQ(small->RecNo(), 2);
  ASSERT_TRUE(small->RLock());
  small->DeleteRec();
  small->UnLock();
  EXPECT_TRUE(small->Bof());
  EXPECT_TRUE(small->Eof());
}

TEST_F(DirectOps, FindBeyondEveryKeyLeavesEof) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  AddRecord(*small, "banana", 2);
  ASSERT_TRUE(small->SetOrderToTag("name"));
  EXPECT_TRUE(small->Find("BAN"));
  EXPECT_EQ(small->RecNo(), 2);
  EXPECT_FALSE(small->FindExact("BAN"));
  EXPECT_FALSE(small->Find("ZZZ"));
  EXPECT_TRUE(small->Eof());
}

TEST_F(DirectOps, FilterNoRecordPassesLeavesEof) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  AddRecord(*small, "banana", 2);
  small->SetFilterTo("qty > 5");
  EXPECT_TRUE(small->Eof());
  EXPECT_TRUE(small->Filtered());
  small->SetFilterTo("qty > 1");
  EXPECT_EQ(small->RecNo(), 2);
  small->GoTop();
  EXPECT_EQ(small->GetFieldStr("name").trimmed(), "banana");
  small->SetFilterTo("");
  EXPECT_FALSE(small->Filtered());
}

TEST_F(DirectOps, GoToAMissingRecordKeepsThePreviousOne) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  small->Go(7);
  EXPECT_EQ(EngineErrorCode(), 212);
  EXPECT_EQ(small->RecNo(), 1);
  EXPECT_EQ(small->GetFieldStr("name").trimmed(), "apple");
}

TEST_F(DirectOps, BlobStreamOnACharacterFieldLeaves220) {
  auto small = SmallTable();
  small->Open();
  EXPECT_EQ(small->CreateBlobStreamByName("name", 0), nullptr);
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(),
            "\"CreateBlobStreamByName()\" expects field \"name\" to be of type:\r\n"
            "\"memo\".\"name\" actually is: \"Character\"");
  EXPECT_EQ(small->CreateBlobStreamByName("nothing", 0), nullptr);
  EXPECT_EQ(EngineErrorCode(), 220);
  EXPECT_EQ(TakeDetailText(), "Field \"nothing\" not in \"" + small->DbfFileName().toStdString() +
                                  "\" [CreateBlobStreamByName]");
}

TEST_F(DirectOps, FieldCheckNamesNumericKinds) {
  auto small = SmallTable();
  small->Open();
  EXPECT_TRUE(small->CheckField("qty", 'N', "Probe"));
  EXPECT_TRUE(small->CheckField("price", 'F', "Probe"));
  EXPECT_FALSE(small->CheckField("price", 'N', "Probe"));
  EXPECT_EQ(TakeDetailText(),
            "\"Probe()\" expects field \"price\" to be of type:\r\n"
            "\"numeric, without decimals\".\"price\" actually is: \"Numeric, width: 8 decimals: "
            "2\"");
}

TEST_F(DirectOps, MemoWrittenThroughStreamsAndLines) {
  auto small = SmallTable();
  small->Open();
  EXPECT_EQ(small->GetFieldStr("text"), "");  // empty table: empty memo
  AddRecord(*small, "apple", 1);
  {
    auto stream = small->CreateBlobStreamByName("text", 1);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(stream->isOpen());
    stream->write("caf\xE9 au lait");
  }
  EXPECT_EQ(small->State(), RecordSetState::kEdit);
  ASSERT_TRUE(small->RLock());
  small->ReplaceRec();
  small->UnLock();
  small->Go(1);
  EXPECT_EQ(small->GetFieldStr("text"), QString::fromUtf8("café au lait"));
  {
    auto stream = small->CreateBlobStreamByName("text", 0);
    EXPECT_EQ(stream->readAll(), QByteArray("caf\xE9 au lait"));
  }
  small->SetMField("text", {"one", "two"});
  ASSERT_TRUE(small->RLock());
  small->ReplaceRec();
  small->UnLock();
  small->Go(1);
  EXPECT_EQ(small->GetFieldStr("text"), "one\r\ntwo");
}

TEST_F(DirectOps, ModeTwoStreamIsWrittenByPost) {
  auto small = SmallTable();
  small->Open();
  AddRecord(*small, "apple", 1);
  small->Edit();
  {
    auto stream = small->CreateBlobStreamByName("text", 2);
    ASSERT_NE(stream, nullptr);
    stream->write("saved by post");
  }
  small->Post();
  EXPECT_EQ(small->State(), RecordSetState::kBrowse);
  small->Go(1);
  EXPECT_EQ(small->GetFieldStr("text"), "saved by post");
}

TEST_F(DirectOps, RefusedLockRaisesTheEventAndRetries) {
  auto first = SmallTable("TzFirst");
  first->Open();
  AddRecord(*first, "apple", 1);
  auto second = SmallTable("TzSecond");
  second->Open();
  ASSERT_TRUE(first->RLock());
  second->Edit();
  second->SetFieldValue("qty", 9);
  int calls = 0;
  second->OnRLockFailedOnPost = [&](DbfTable* sender, bool& retry) {
    EXPECT_EQ(sender, second.get());
    ++calls;
    if (calls == 2) first->UnLock();
    retry = calls < 3;
  };
  second->Post();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(second->State(), RecordSetState::kBrowse);
  first->Go(1);
  EXPECT_EQ(first->GetFieldInt("qty"), 9);
}

TEST_F(DirectOps, RefusedLockWithoutHandlerWarns) {
  auto first = SmallTable("TzFirst");
  first->Open();
  AddRecord(*first, "apple", 1);
  auto second = SmallTable("TzSecond");
  second->Open();
  ASSERT_TRUE(first->RLock());
  second->Delete();
  EXPECT_EQ(ui_.warnings, QStringList({"Lock failed [Delete]"}));
  EXPECT_FALSE(second->Deleted());
}

}  // namespace
}  // namespace pw::test
