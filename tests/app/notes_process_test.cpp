// The program in processes of its own: a run killed from outside and the
// start that repairs its tables, and a second start while one runs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "app/controller/notes_main.h"
#include "app/program_fixture.h"
#include "app/record/note_record.h"
#include "common/error_state.h"
#include "dataset/dbf_table.h"

namespace pw {
namespace {

using test::Program;
using test::ReadAll;

constexpr const char* kIndexFiles[] = {"notes.mdx", "Trash.mdx", "defaults.mdx"};

struct FileState {
  QByteArray bytes;
  std::filesystem::file_time_type modified;
};
// Every file below a folder by its relative path (folders with no bytes).
using Snapshot = std::map<std::string, FileState>;

Snapshot TakeSnapshot(const std::string& folder) {
  Snapshot snapshot;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    FileState& state = snapshot[it->path().lexically_relative(folder).string()];
    state.modified = it->last_write_time(error);
    if (!error && it->is_regular_file(error)) {
      state.bytes = ReadAll(QString::fromStdString(it->path().string()));
    }
  }
  EXPECT_FALSE(error) << folder << ": " << error.message();
  return snapshot;
}

// Adds a note as another program sharing the table would.
void AppendNote(DbfTable& notes, const char* showing, const QByteArray& text) {
  notes.ClearRecord();
  notes.SetFieldStr("SHOWING", showing);
  auto memo = notes.CreateBlobStreamByName("MEMO", MemoStream::kWrite);
  ASSERT_TRUE(memo && memo->isOpen());
  memo->write(text);
  ASSERT_TRUE(memo->Finish());
  ASSERT_TRUE(notes.ALock());
  notes.AppendRec();
  notes.UnLock();
}

using NotesProcessTest = test::ProgramFixture;

// The index semaphore files in `folder`, whatever the case of their names.
QStringList SemaphoreFiles(const std::string& folder) {
  return QDir(QString::fromStdString(folder))
      .entryList({QStringLiteral("*.@S@")}, QDir::Files, QDir::Name);
}

// The program in a home folder named as users' home folders are, with
// accented, Greek or CJK letters and blanks.
class NotesProcessHomeTest : public NotesProcessTest,
                             public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    UseHomeIn(GetParam());
    NotesProcessTest::SetUp();
  }
};

TEST_F(NotesProcessTest, TheStartAfterAKilledRunRebuildsTheIndexesAndPacks) {
  QByteArray indexBeforeTheNotes;
  {
    Program first(Home());
    ASSERT_TRUE(WaitUntilIdle(first));
    indexBeforeTheNotes = ReadAll(DataFile("notes.mdx"));
    DbfTable notes;
    notes.setObjectName(QStringLiteral("TzNotes"));
    ConfigureNoteTable(notes, NoteTableFieldLines());
    notes.SetDbfFileName(DataFile("notes.dbf"));
    notes.Open();
    notes.SetIndexTo(QString());
    AppendNote(notes, "N", "deleted");
    ASSERT_TRUE(notes.RLock());
    notes.DeleteRec();
    notes.UnLock();
    AppendNote(notes, "Y", "kept");
    EXPECT_EQ(notes.RecordCount(), 2);
    ASSERT_EQ(EngineErrorCode(), 0);
    notes.Close();
    ASSERT_TRUE(first.Kill());
  }
  EXPECT_FALSE(ReadSetting(Config(), config::kTerminatedOK));
  // An index that opens but knows none of the notes: a rebuilt one finds
  // the kept note, this one could not.
  {
    QFile index(DataFile("notes.mdx"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(index.write(indexBeforeTheNotes), indexBeforeTheNotes.size());
  }

  NotesController controller(QString::fromStdString(DataFolder()));
  controller.SetScreenSize({1024, 768});
  controller.FormCreate();
  EXPECT_TRUE(controller.PackRequested());
  for (const char* name : kIndexFiles) EXPECT_FALSE(QFile::exists(DataFile(name))) << name;
  controller.onStartupTimeout();
  for (const char* name : kIndexFiles) EXPECT_TRUE(QFile::exists(DataFile(name))) << name;

  DbfTable& notes = controller.NotesTable();
  EXPECT_EQ(notes.RecordCount(), 1);
  ASSERT_TRUE(notes.SetOrderToTag(QStringLiteral("SHOWING")));
  ASSERT_TRUE(notes.Find(QStringLiteral("Y")));
  EXPECT_EQ(notes.RecNo(), 1);
  auto memo = notes.CreateBlobStreamByName("MEMO", MemoStream::kRead);
  ASSERT_TRUE(memo && memo->isOpen());
  EXPECT_EQ(memo->readAll(), "kept");
  EXPECT_TRUE(memo->Finish());
  EXPECT_TRUE(controller.TrashTable().SetOrderToTag(QStringLiteral("SHOWING")));
  EXPECT_TRUE(controller.TemplatesTable().SetOrderToTag(QStringLiteral("SHOWING")));

  controller.FormCloseQuery();
  EXPECT_TRUE(ReadSetting(Config(), config::kTerminatedOK));
}

TEST_F(NotesProcessTest, ASecondStartWhileOneRunsChangesNoFile) {
  Program first(Home());
  ASSERT_TRUE(WaitUntilIdle(first));
  const Snapshot before = TakeSnapshot(DataFolder());
  ASSERT_EQ(before.count("Config.cfg"), 1U);

  Program second(Home());
  EXPECT_EQ(second.ExitCode(), 0);
  EXPECT_TRUE(first.Running());

  const Snapshot after = TakeSnapshot(DataFolder());
  for (const auto& [name, state] : after) EXPECT_EQ(before.count(name), 1U) << "new: " << name;
  for (const auto& [name, state] : before) {
    const auto found = after.find(name);
    if (found == after.end()) {
      ADD_FAILURE() << "gone: " << name;
      continue;
    }
    EXPECT_TRUE(found->second.bytes == state.bytes) << "bytes changed: " << name;
    EXPECT_TRUE(found->second.modified == state.modified) << "modified: " << name;
  }
}

TEST_F(NotesProcessTest, TerminationFromOutsideEndsTheRunCleanly) {
  {
    Program program(Home());
    ASSERT_TRUE(WaitUntilIdle(program));
    EXPECT_FALSE(ReadSetting(Config(), config::kTerminatedOK));
    program.Terminate();
    EXPECT_EQ(program.ExitCode(), 0);
  }
  EXPECT_TRUE(ReadSetting(Config(), config::kTerminatedOK));
  EXPECT_EQ(ReadSetting(Config(), config::kLastPacked), 1);
  // The clean end leaves nothing for the next start to repair.
  NotesController controller(QString::fromStdString(DataFolder()));
  controller.FormCreate();
  EXPECT_FALSE(controller.PackRequested());
  EXPECT_TRUE(QFile::exists(DataFile("notes.mdx")));
  controller.FormCloseQuery();
}

TEST_F(NotesProcessTest, TheStartAfterAKilledRunDeletesTheIndexSemaphores) {
  {
    Program first(Home());
    ASSERT_TRUE(WaitUntilIdle(first));
    ASSERT_EQ(SemaphoreFiles(DataFolder()),
              QStringList({"Trash.@S@", "defaults.@S@", "notes.@S@"}));
    ASSERT_TRUE(first.Kill());
  }
  ASSERT_TRUE(QFile::rename(DataFile("notes.@S@"), DataFile("NOTES.@s@")));
  NotesController controller(QString::fromStdString(DataFolder()));
  controller.FormCreate();
  EXPECT_TRUE(SemaphoreFiles(DataFolder()).isEmpty())
      << SemaphoreFiles(DataFolder()).join(' ').toStdString();
  EXPECT_TRUE(QFile::exists(DataFile("notes.dbf")));
  EXPECT_TRUE(QFile::exists(DataFile("notes.dbt")));
  controller.onStartupTimeout();
  EXPECT_TRUE(controller.NotesTable().SetOrderToTag(QStringLiteral("SHOWING")));
  controller.FormCloseQuery();
}

TEST_P(NotesProcessHomeTest, TheProgramKeepsItsTablesInTheUsersDataFolder) {
  {
    Program program(Home());
    ASSERT_TRUE(WaitUntilIdle(program)) << DataFolder();
    DbfTable notes;
    notes.setObjectName(QStringLiteral("TzNotes"));
    ConfigureNoteTable(notes, NoteTableFieldLines());
    notes.SetDbfFileName(DataFile("notes.dbf"));
    notes.Open();
    notes.SetIndexTo(QString());
    AppendNote(notes, "Y", "kept");
    notes.Close();
    program.Terminate();
    EXPECT_EQ(program.ExitCode(), 0);
  }
  EXPECT_TRUE(ReadSetting(Config(), config::kTerminatedOK));
  // The next start finds the note where the first one left it.
  NotesController controller(QString::fromStdString(DataFolder()));
  controller.FormCreate();
  EXPECT_FALSE(controller.PackRequested());
  controller.onStartupTimeout();
  DbfTable& notes = controller.NotesTable();
  EXPECT_EQ(notes.RecordCount(), 1);
  ASSERT_TRUE(notes.SetOrderToTag(QStringLiteral("SHOWING")));
  EXPECT_TRUE(notes.Find(QStringLiteral("Y")));
  controller.FormCloseQuery();
}

INSTANTIATE_TEST_SUITE_P(FolderNames, NotesProcessHomeTest,
                         ::testing::Values("J\xC3\xB6s\xC3\xA9", "\xCE\xA9mega",
                                           "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",
                                           "with  blanks \xC3\xA0 la fin "),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return "Folder" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace pw
