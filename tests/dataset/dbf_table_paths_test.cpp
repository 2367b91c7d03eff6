// Tables in folders whose names are not plain ASCII, as users' home folders
// are: the path reaches the file system byte for byte, while the text in the
// table keeps its code page. And the index files the crash recovery deletes.
#include <QDir>
#include <QFile>

#include "common/error_state.h"
#include "dataset/engine_path.h"
#include "dataset/index_files.h"
#include "dataset_test_support.h"

namespace pw::test {
namespace {

using DbfTablePaths = DatasetTest;

const char* const kFolderNames[] = {"J\xC3\xB6s\xC3\xA9", "\xCE\xA9mega",
                                    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
                                    "two  blanks \xC3\xA0 la fin "};

QString FolderIn(const TempDir& dir, const char* name) {
  const QString folder = QDir(QString::fromStdString(dir.path())).filePath(QString::fromUtf8(name));
  EXPECT_TRUE(QDir().mkpath(folder)) << name;
  return folder;
}

TEST_F(DbfTablePaths, TablesInFoldersWithAccentedGreekAndCjkNamesAreMadeWhereTheNameSays) {
  for (const char* name : kFolderNames) {
    const QString folder = FolderIn(dir_, name);
    const QString table = QDir(folder).filePath(QStringLiteral("notes.dbf"));
    {
      auto notes = NoteTable();
      notes->SetDbfFileName(table);
      notes->Open();
      ASSERT_TRUE(notes->Active()) << name;
      notes->ClearRecord();
      notes->SetFieldStr("desc", QString::fromUtf8("caf\xC3\xA9"));
      notes->SetFieldStr("showing", "Y");
      auto memo = notes->CreateBlobStreamByName("memo", MemoStream::kWrite);
      ASSERT_TRUE(memo && memo->isOpen()) << name;
      memo->write("body");
      ASSERT_TRUE(memo->Finish());
      ASSERT_TRUE(notes->ALock());
      notes->AppendRec();
      notes->UnLock();
      ASSERT_EQ(EngineErrorCode(), 0) << name;
    }
    EXPECT_TRUE(ui_.warnings.isEmpty()) << ui_.warnings.join("\n").toStdString();
    for (const char* file : {"notes.dbf", "notes.dbt", "notes.mdx"}) {
      EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QString::fromLatin1(file))))
          << name << "/" << file;
    }
    auto notes = NoteTable();
    notes->SetDbfFileName(table);
    notes->SetCreateIfNotFound(false);
    notes->Open();
    ASSERT_TRUE(notes->SetOrderToTag("SHOWING"));
    ASSERT_TRUE(notes->Find("Y")) << name;
    EXPECT_EQ(notes->GetFieldStr("desc").trimmed(), QString::fromUtf8("caf\xC3\xA9"));
    auto memo = notes->CreateBlobStreamByName("memo", MemoStream::kRead);
    ASSERT_TRUE(memo && memo->isOpen());
    EXPECT_EQ(memo->readAll(), "body");
  }
}

TEST_F(DbfTablePaths, TablesInFoldersNamedLikeOpenOptionsOpenAppendAndPackExclusively) {
  for (const char* name : {"My Exclusive Notes", "my alias book"}) {
    const QString folder = FolderIn(dir_, name);
    auto notes = NoteTable();
    notes->SetDbfFileName(QDir(folder).filePath(QStringLiteral("notes.dbf")));
    notes->SetExclusive(true);
    notes->Open();
    ASSERT_TRUE(notes->Active()) << name;
    for (const char* desc : {"gone", "kept"}) {
      notes->ClearRecord();
      notes->SetFieldStr("desc", desc);
      ASSERT_TRUE(notes->ALock());
      notes->AppendRec();
      notes->UnLock();
    }
    notes->Go(1);
    ASSERT_TRUE(notes->RLock());
    notes->DeleteRec();
    notes->UnLock();
    ASSERT_TRUE(notes->Pack()) << name;
    EXPECT_EQ(notes->RecordCount(), 1) << name;
    notes->Go(1);
    EXPECT_EQ(notes->GetFieldStr("desc").trimmed(), QStringLiteral("kept")) << name;
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("notes.mdx")))) << name;
  }
}

TEST_F(DbfTablePaths, PathsKeepEveryByteBetweenQtAndTheEngine) {
  for (const char* name : kFolderNames) {
    const QString path = QStringLiteral("/home/") + QString::fromUtf8(name) + "/notes.dbf";
    EXPECT_EQ(ToEnginePath(path), std::string("/home/") + name + "/notes.dbf");
    EXPECT_EQ(FromEnginePath(ToEnginePath(path)), path);
  }
}

TEST_F(DbfTablePaths, AnOpenWhileAnotherUsesTheIndexLeavesTheIndexAsItIs) {
  // The check for another program's use looks for the semaphore beside the
  // table as written, not beside an upper-cased copy of its path.
  auto first = SmallTable("TzFirst");
  first->Open();
  AddRecord(*first, "apple", 1);
  auto second = SmallTable("TzSecond");
  second->SetCreateIndex(IndexCreation::kAlways);
  int builds = 0;
  second->OnBeforeMakeIndex = [&](const QString&, bool&) { ++builds; };
  second->Open();
  EXPECT_EQ(builds, 0);
  EXPECT_EQ(second->RecordCount(), 1);
  first->Close();
  second->Close();
  second->Open();
  EXPECT_EQ(builds, 1);
}

TEST_F(DbfTablePaths, RemovingTheIndexFilesTakesEveryCaseOfTheirNames) {
  const QString folder = FolderIn(dir_, kFolderNames[1]);
  for (const char* file : {"Notes.dbf", "notes.mdx", "NOTES.MDX", "NOTES.@S@", "notes.dbt"}) {
    QFile made(QDir(folder).filePath(QString::fromLatin1(file)));
    ASSERT_TRUE(made.open(QIODevice::WriteOnly)) << file;
  }
  QString failure;
  EXPECT_TRUE(RemoveIndexFiles(QDir(folder).filePath(QStringLiteral("Notes.dbf")), &failure));
  EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
            QStringList({"Notes.dbf", "notes.dbt"}));
}

}  // namespace
}  // namespace pw::test
