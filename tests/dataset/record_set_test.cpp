// The record set over a table component: navigation, counts, states,
// locate, bookmarks and undeleting.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "dataset/table_record_set.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

class RecordSetTest : public DatasetTest {
 protected:
  // The small table with records NAME = names[i], QTY = i + 1.
  std::unique_ptr<DbfTable> OpenSmall(const QStringList& names) {
    auto dbf = SmallTable();
    dbf->Open();
    for (int i = 0; i < names.size(); ++i) AddRecord(*dbf, names[i], i + 1);
    dbf->GoTop();
    return dbf;
  }

  static QStringList Names(TableRecordSet& set) {
    QStringList names;
    for (set.First(); !set.Eof(); set.Next()) names.append(set.FieldByName("name").AsString());
    return names;
  }
};

TEST_F(RecordSetTest, FirstOnEmptyTableLeavesBofAndEof) {
  auto dbf = OpenSmall({});
  TableRecordSet set(*dbf);
  set.First();
  EXPECT_TRUE(set.Bof());
  EXPECT_TRUE(set.Eof());
  EXPECT_EQ(set.RecNo(), 0);
  set.Last();
  EXPECT_TRUE(set.IsEmpty());
}

TEST_F(RecordSetTest, NextAndPriorVisitEveryRecordAndStopAtTheEnds) {
  auto dbf = OpenSmall({"alpha", "beta", "gamma"});
  TableRecordSet set(*dbf);
  EXPECT_EQ(Names(set), QStringList({"alpha", "beta", "gamma"}));
  EXPECT_EQ(set.RecNo(), 3);
  QStringList backwards;
  for (set.Last(); !set.Bof(); set.Prior()) backwards.append(set.FieldByName("name").AsString());
  EXPECT_EQ(backwards, QStringList({"gamma", "beta", "alpha"}));
  EXPECT_EQ(set.RecNo(), 1);
  EXPECT_EQ(set.MoveBy(5), 2);
  EXPECT_TRUE(set.Eof());
  EXPECT_EQ(set.FieldByName("qty").Value().toInt(), 3);
}

TEST_F(RecordSetTest, MovesAreHandedToTheComponentCursor) {
  auto dbf = OpenSmall({"alpha", "beta", "gamma"});
  TableRecordSet set(*dbf);
  set.First();
  set.Next();
  EXPECT_EQ(dbf->RecNo(), 2);
  EXPECT_EQ(dbf->GetFieldStr("name").trimmed(), "beta");
  dbf->Skip(1);
  EXPECT_EQ(set.RecNo(), 3);
  EXPECT_EQ(set.FieldByName("name").AsString(), "gamma");
}

TEST_F(RecordSetTest, RecordCountIncludesDeletedRecordsWhileHidden) {
  auto dbf = OpenSmall({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
  for (int n : {2, 5, 9}) {
    dbf->Go(n);
    ASSERT_TRUE(dbf->RLock());
    dbf->DeleteRec();
    dbf->UnLock();
  }
  dbf->SetHideDeletedRecs(true);
  TableRecordSet set(*dbf);
  EXPECT_EQ(set.RecordCount(), 10);
  EXPECT_EQ(Names(set), QStringList({"a", "c", "d", "f", "g", "h", "j"}));
}

TEST_F(RecordSetTest, SettingAFieldOutsideEditRaises) {
  auto dbf = OpenSmall({"alpha"});
  TableRecordSet set(*dbf);
  EXPECT_THROW(set.FieldByName("name").SetValue("x"), EngineError);
  set.Edit();
  set.FieldByName("name").SetReadOnly(true);
  try {
    set.FieldByName("name").SetValue("x");
    FAIL() << "a read-only field took a value";
  } catch (const EngineError& e) {
    EXPECT_STREQ(e.what(), "Field 'NAME' cannot be modified");
  }
}

TEST_F(RecordSetTest, PostWritesTheEditedRecord) {
  auto dbf = OpenSmall({"alpha", "beta"});
  TableRecordSet set(*dbf);
  set.First();
  set.Next();
  set.Edit();
  set.FieldByName("name").SetValue("bravo");
  set.FieldByName("price").SetValue(12.5);
  set.FieldByName("day").SetValue(QDate(2001, 2, 3));
  set.FieldByName("ok").SetValue(true);
  ASSERT_TRUE(set.Post());
  EXPECT_EQ(set.State(), RecordSetState::kBrowse);
  dbf->Go(2);
  EXPECT_EQ(dbf->GetFieldStr("name").trimmed(), "bravo");
  EXPECT_DOUBLE_EQ(dbf->GetFieldFloat("price"), 12.5);
  EXPECT_EQ(dbf->GetFieldDate("day"), "02/03/2001");
  EXPECT_EQ(dbf->GetFieldStr("ok"), "T");
  dbf->Go(1);
  EXPECT_EQ(dbf->GetFieldStr("name").trimmed(), "alpha");
}

TEST_F(RecordSetTest, SettingAFieldThenGoLosesTheChange) {
  auto dbf = OpenSmall({"alpha", "beta"});
  TableRecordSet set(*dbf);
  set.First();
  set.Edit();
  set.FieldByName("name").SetValue("changed");
  dbf->Go(2);
  EXPECT_EQ(set.State(), RecordSetState::kBrowse);
  EXPECT_EQ(set.FieldByName("name").AsString(), "beta");
  dbf->Go(1);
  EXPECT_EQ(set.FieldByName("name").AsString(), "alpha");
}

TEST_F(RecordSetTest, InsertedRecordIsAddedAtTheEnd) {
  auto dbf = OpenSmall({"alpha", "beta", "gamma"});
  TableRecordSet set(*dbf);
  set.First();
  set.Next();
  set.Insert();
  EXPECT_EQ(set.State(), RecordSetState::kInsert);
  set.FieldByName("name").SetValue("new");
  ASSERT_TRUE(set.Post());
  EXPECT_EQ(set.RecNo(), 4);
  EXPECT_EQ(Names(set), QStringList({"alpha", "beta", "gamma", "new"}));
}

TEST_F(RecordSetTest, CancelOfInsertReturnsToTheRecordBefore) {
  auto dbf = OpenSmall({"alpha", "beta"});
  TableRecordSet set(*dbf);
  set.First();
  set.Insert();
  set.FieldByName("name").SetValue("dropped");
  set.Cancel();
  EXPECT_EQ(set.FieldByName("name").AsString(), "alpha");
  EXPECT_EQ(set.RecordCount(), 2);
}

TEST_F(RecordSetTest, LocateWithAnActiveOrderSearchesTheKey) {
  auto dbf = OpenSmall({"delta", "alpha", "charlie"});
  ASSERT_TRUE(dbf->SetOrderToTag("NAME"));
  TableRecordSet set(*dbf);
  EXPECT_FALSE(set.IsSequenced());
  EXPECT_EQ(Names(set), QStringList({"alpha", "charlie", "delta"}));
  // Asked for QTY, it searches the NAME key: upper(name).
  EXPECT_TRUE(set.Locate("qty", {"CHARLIE"}, {}));
  EXPECT_EQ(set.RecNo(), 3);
  EXPECT_FALSE(set.Locate("qty", {"CHAR"}, {}));
  EXPECT_TRUE(set.Locate("qty", {"DEL"}, {.caseInsensitive = false, .partialKey = true}));
  EXPECT_EQ(set.RecNo(), 1);
}

TEST_F(RecordSetTest, LocateInNaturalOrderSearchesTheFields) {
  auto dbf = OpenSmall({"delta", "alpha", "charlie"});
  dbf->SetOrderTo(0);
  TableRecordSet set(*dbf);
  EXPECT_TRUE(set.IsSequenced());
  EXPECT_TRUE(set.Locate("qty", {2}, {}));
  EXPECT_EQ(set.FieldByName("name").AsString(), "alpha");
  EXPECT_TRUE(set.Locate("name", {"CHAR"}, {.caseInsensitive = true, .partialKey = true}));
  EXPECT_EQ(set.RecNo(), 3);
  EXPECT_FALSE(set.Locate("name", {"zulu"}, {}));
}

TEST_F(RecordSetTest, LookupAnswersWithoutMoving) {
  auto dbf = OpenSmall({"delta", "alpha", "charlie"});
  dbf->SetOrderTo(0);
  TableRecordSet set(*dbf);
  set.First();
  EXPECT_EQ(set.Lookup("name", {"charlie"}, "qty").toInt(), 3);
  EXPECT_EQ(set.RecNo(), 1);
  EXPECT_EQ(dbf->RecNo(), 1);
  EXPECT_FALSE(set.Lookup("name", {"zulu"}, "qty").isValid());
}

TEST_F(RecordSetTest, BookmarkOutsideTheTableMovesToTheEnd) {
  auto dbf = OpenSmall({"alpha", "beta", "gamma"});
  TableRecordSet set(*dbf);
  set.First();
  const auto mark = set.GetBookmark();
  set.GotoBookmark(99);
  EXPECT_TRUE(set.Eof());
  EXPECT_EQ(set.RecNo(), 3);
  set.GotoBookmark(mark);
  EXPECT_EQ(set.FieldByName("name").AsString(), "alpha");
  EXPECT_LT(RecordSet::CompareBookmarks(1, 3), 0);
}

TEST_F(RecordSetTest, ClearingTheDeletionMarkUndeletesTheRecord) {
  auto dbf = OpenSmall({"alpha", "beta"});
  TableRecordSet set(*dbf);
  int restores = 0;
  QObject::connect(dbf.get(), &DbfTable::AfterRestore, [&] { ++restores; });
  set.First();
  set.Next();
  set.SetDeletionMark(true);
  EXPECT_TRUE(set.DeletionMark());
  dbf->Go(2);
  EXPECT_TRUE(dbf->Deleted());
  set.SetDeletionMark(false);
  EXPECT_FALSE(set.DeletionMark());
  EXPECT_EQ(restores, 1);
  dbf->Go(2);
  EXPECT_FALSE(dbf->Deleted());
}

TEST_F(RecordSetTest, DeletingTheLastVisibleRecordEmptiesTheSet) {
  auto dbf = OpenSmall({"alpha"});
  dbf->SetHideDeletedRecs(true);
  TableRecordSet set(*dbf);
  set.First();
  set.Delete();
  EXPECT_TRUE(set.IsEmpty());
  EXPECT_EQ(set.RecordCount(), 1);
}

}  // namespace
}  // namespace pw::test
