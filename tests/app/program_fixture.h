// The program itself in processes of its own, on a home folder of the
// test's (HOME, XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR point
// into it): started with a command line, asked through the single-instance
// channel, terminated or killed. The tests wait for files and for the
// running copy's answers, never for a time.
#pragma once

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <memory>
#include <string>
#include <utility>

#include "app/record/note_record.h"
#include "common/error_state.h"
#include "dataset/dbf_table.h"
#include "desktop/single_instance.h"
#include "settings/config_keys.h"
#include "support/temp_dir.h"

namespace pw::test {

inline constexpr int kProgramWaitMs = 30000;

// Polls `done` until it holds; false when `waitMs` passed first.
template <class Condition>
bool WaitFor(Condition done, int waitMs = kProgramWaitMs) {
  const QDeadlineTimer deadline(waitMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(20);
  }
  return true;
}

inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot read " << path.toStdString();
    return QByteArray();
  }
  return file.readAll();
}

// A copy of the program with HOME and the XDG folders in `home`, offscreen
// unless `environment` says otherwise; killed when the test leaves it
// running. Its standard error goes to the test's, its output is kept.
class Program {
 public:
  using Environment = QList<std::pair<QString, QString>>;

  explicit Program(const QString& home, const QStringList& arguments = {},
                   const Environment& environment = {}, const QByteArray& input = QByteArray()) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("HOME"), home);
    variables.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    variables.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    variables.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // A null value takes the variable away.
    for (const auto& [name, value] : environment) {
      if (value.isNull()) {
        variables.remove(name);
      } else {
        variables.insert(name, value);
      }
    }
    process_.setProcessEnvironment(variables);
    process_.setProgram(QStringLiteral(PAPERWISP_EXECUTABLE));
    process_.setArguments(arguments);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!input.isNull()) {
      process_.write(input);
      process_.closeWriteChannel();
    }
  }
  ~Program() { Kill(); }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Running() const { return process_.state() != QProcess::NotRunning; }
  qint64 ProcessId() const { return process_.processId(); }
  // Exit code after the program ended by itself; -1 when it did not end.
  int ExitCode() {
    if (!process_.waitForFinished(kProgramWaitMs)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }
  // What it printed, once it ended.
  QString Output() {
    process_.waitForFinished(kProgramWaitMs);
    return QString::fromLocal8Bit(process_.readAllStandardOutput());
  }
  // SIGTERM, as a system shutting down sends it.
  void Terminate() { process_.terminate(); }
  // SIGKILL: nothing is saved or cleaned up. True when the program died of it.
  bool Kill() {
    if (!Running()) return false;
    process_.kill();
    return process_.waitForFinished(kProgramWaitMs) && process_.exitStatus() == QProcess::CrashExit;
  }

 private:
  QProcess process_;
};

class ProgramFixture : public ::testing::Test {
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

  // The data folder's notes table, opened beside the program as another
  // program sharing it would.
  std::unique_ptr<DbfTable> OpenNotes() const {
    auto notes = std::make_unique<DbfTable>();
    notes->setObjectName(QStringLiteral("TzNotes"));
    ConfigureNoteTable(*notes, NoteTableFieldLines());
    notes->SetDbfFileName(DataFile("notes.dbf"));
    notes->Open();
    notes->SetIndexTo(QString());
    return notes;
  }

  // Waits until `program` has marked the run as not ended (so it holds the
  // instance lock) and made its tables. A start after a clean end only.
  bool WaitForTables(const Program& program) const {
    const bool filesMade = WaitFor([&] {
      if (!program.Running()) return true;
      if (!QFile::exists(DataFile("Config.cfg")) || ReadSetting(Config(), config::kTerminatedOK)) {
        return false;
      }
      for (const char* name : {"notes.dbf", "notes.dbt", "notes.mdx", "Trash.dbf", "Trash.mdx",
                               "defaults.dbf", "defaults.mdx"}) {
        if (!QFile::exists(DataFile(name))) return false;
      }
      return true;
    });
    return filesMade && program.Running();
  }

  // Waits until `program` has made its tables and is back in its event
  // loop: it answers a second start, which only its event loop does once
  // its start-up is done.
  bool WaitUntilIdle(const Program& program) const {
    if (!WaitForTables(program)) return false;
    SingleInstance secondStart(QStringLiteral("Paperwisp"),
                               QString::fromStdString(RuntimeFolder()));
    return secondStart.Claim() == SingleInstance::Outcome::HandedOver;
  }

  TempDir home_;
  std::string homeFolder_ = home_.path();
  bool savedDispatch_ = false;
};

}  // namespace pw::test
