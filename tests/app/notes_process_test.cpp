// The program itself in processes of its own, on a home folder of the
// test's: a run killed from outside and the start that repairs its tables,
// and a second start while one runs. The tests wait for files and for the
// running copy's answers, never for a time.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "app/controller/notes_main.h"
#include "app/record/note_record.h"
#include "common/error_state.h"
#include "dataset/tz_dbf.h"
#include "desktop/single_instance.h"
#include "settings/config_keys.h"
#include "support/temp_dir.h"

namespace pw {
namespace {

constexpr int kWaitMs = 30000;
constexpr int kPollMs = 20;
constexpr const char* kIndexFiles[] = {"notes.mdx", "Trash.mdx", "defaults.mdx"};

// A copy of the program with HOME and the XDG folders in `home`; killed
// when the test leaves it running.
class Program {
 public:
  explicit Program(const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process_.setProcessEnvironment(environment);
    process_.setProgram(QStringLiteral(PAPERWISP_EXECUTABLE));
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start();
  }
  ~Program() { Kill(); }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Running() const { return process_.state() != QProcess::NotRunning; }
  // Exit code after the program ended by itself; -1 when it did not end.
  int ExitCode() {
    if (!process_.waitForFinished(kWaitMs)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }
  // SIGTERM, as a system shutting down sends it.
  void Terminate() { process_.terminate(); }
  // SIGKILL: nothing is saved or cleaned up. True when the program died of it.
  bool Kill() {
    if (!Running()) return false;
    process_.kill();
    return process_.waitForFinished(kWaitMs) && process_.exitStatus() == QProcess::CrashExit;
  }

 private:
  QProcess process_;
};

// Polls `done` until it holds; false when kWaitMs passed first.
template <class Condition>
bool WaitFor(Condition done) {
  const QDeadlineTimer deadline(kWaitMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(kPollMs);
  }
  return true;
}

struct FileState {
  QByteArray bytes;
  std::filesystem::file_time_type modified;
};
// Every file below a folder by its relative path (folders with no bytes).
using Snapshot = std::map<std::string, FileState>;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot read " << path.toStdString();
    return QByteArray();
  }
  return file.readAll();
}

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
void AppendNote(TTzDbf& notes, const char* showing, const QByteArray& text) {
  notes.ClearRecord();
  notes.SetFieldStr("SHOWING", showing);
  auto memo = notes.CreateBlobStreamByName("MEMO", TTzBlobStream::kWrite);
  ASSERT_TRUE(memo && memo->isOpen());
  memo->write(text);
  ASSERT_TRUE(memo->Finish());
  ASSERT_TRUE(notes.ALock());
  notes.AppendRec();
  notes.UnLock();
}

class NotesProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedDispatch_ = SetAutoDispatch(false);
    // The runtime folder must be the user's alone, or Qt refuses it.
    ASSERT_EQ(mkdir(RuntimeFolder().c_str(), 0700), 0);
  }
  void TearDown() override { SetAutoDispatch(savedDispatch_); }

  // The home folder: the temporary folder itself, or a folder in it.
  void UseHomeIn(const std::string& name) {
    homeFolder_ = home_.file(name);
    ASSERT_EQ(mkdir(homeFolder_.c_str(), 0700), 0) << name;
  }
  QString Home() const { return QString::fromStdString(homeFolder_); }
  std::string RuntimeFolder() const { return homeFolder_ + "/runtime"; }
  std::string DataFolder() const { return homeFolder_ + "/data/Paperwisp"; }
  QString DataFile(const char* name) const {
    return QString::fromStdString(DataFolder() + '/' + name);
  }
  IniFile Config() const { return IniFile(DataFile("Config.cfg")); }

  // Waits until `program` has made its tables and is back in its event
  // loop: the files exist, and then it answers a second start, which only
  // its event loop does. The start-up lets no events run after it made the
  // last of the files, so the answer comes once the start-up is done.
  bool WaitUntilIdle(const Program& program) const {
    const bool filesMade = WaitFor([&] {
      if (!program.Running()) return true;
      for (const char* name : {"notes.dbf", "notes.dbt", "notes.mdx", "Trash.dbf", "Trash.mdx",
                               "defaults.dbf", "defaults.mdx"}) {
        if (!QFile::exists(DataFile(name))) return false;
      }
      return true;
    });
    if (!filesMade || !program.Running()) return false;
    TTzOnlyOne secondStart(QStringLiteral("Paperwisp"), QString::fromStdString(RuntimeFolder()));
    return secondStart.Claim() == TTzOnlyOne::Outcome::HandedOver;
  }

  test::TempDir home_;
  std::string homeFolder_ = home_.path();
  bool savedDispatch_ = false;
};

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
    TTzDbf notes;
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

  TFrmNotesMain controller(QString::fromStdString(DataFolder()));
  controller.SetScreenSize({1024, 768});
  controller.FormCreate();
  EXPECT_TRUE(controller.PackRequested());
  for (const char* name : kIndexFiles) EXPECT_FALSE(QFile::exists(DataFile(name))) << name;
  controller.TimerInitializeTimer();
  for (const char* name : kIndexFiles) EXPECT_TRUE(QFile::exists(DataFile(name))) << name;

  TTzDbf& notes = controller.TzNotes();
  EXPECT_EQ(notes.RecordCount(), 1);
  ASSERT_TRUE(notes.SetOrderToTag(QStringLiteral("SHOWING")));
  ASSERT_TRUE(notes.Find(QStringLiteral("Y")));
  EXPECT_EQ(notes.RecNo(), 1);
  auto memo = notes.CreateBlobStreamByName("MEMO", TTzBlobStream::kRead);
  ASSERT_TRUE(memo && memo->isOpen());
  EXPECT_EQ(memo->readAll(), "kept");
  EXPECT_TRUE(memo->Finish());
  EXPECT_TRUE(controller.TzTrash().SetOrderToTag(QStringLiteral("SHOWING")));
  EXPECT_TRUE(controller.TzDefaults().SetOrderToTag(QStringLiteral("SHOWING")));

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
  TFrmNotesMain controller(QString::fromStdString(DataFolder()));
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
  TFrmNotesMain controller(QString::fromStdString(DataFolder()));
  controller.FormCreate();
  EXPECT_TRUE(SemaphoreFiles(DataFolder()).isEmpty())
      << SemaphoreFiles(DataFolder()).join(' ').toStdString();
  EXPECT_TRUE(QFile::exists(DataFile("notes.dbf")));
  EXPECT_TRUE(QFile::exists(DataFile("notes.dbt")));
  controller.TimerInitializeTimer();
  EXPECT_TRUE(controller.TzNotes().SetOrderToTag(QStringLiteral("SHOWING")));
  controller.FormCloseQuery();
}

TEST_P(NotesProcessHomeTest, TheProgramKeepsItsTablesInTheUsersDataFolder) {
  {
    Program program(Home());
    ASSERT_TRUE(WaitUntilIdle(program)) << DataFolder();
    TTzDbf notes;
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
  TFrmNotesMain controller(QString::fromStdString(DataFolder()));
  controller.FormCreate();
  EXPECT_FALSE(controller.PackRequested());
  controller.TimerInitializeTimer();
  TTzDbf& notes = controller.TzNotes();
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
