// The real program on an X server of the test's own (Xvfb with the openbox
// window manager): what task lists see of its windows (wmctrl), the
// windows options of the command line open, and a note typed into with
// xdotool and killed. Skipped where these tools are missing.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <optional>

#include "app/controller_fixture.h"
#include "app/program_fixture.h"

namespace pw {
namespace {

using test::Program;
using test::WaitFor;

constexpr int kWindowWaitMs = 5000;
// Longer than the note's autosave delay, well below two seconds.
constexpr int kKillAfterTypingMs = 800;

// Runs a tool to its end; its output, or nothing when it failed.
std::optional<QString> RunTool(const QString& display, const QString& tool,
                               const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), display);
  process.setProcessEnvironment(environment);
  process.start(tool, arguments);
  if (!process.waitForFinished(test::kProgramWaitMs) ||
      process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    return std::nullopt;
  }
  return QString::fromUtf8(process.readAllStandardOutput());
}

// An X server with a window manager, ended with the test.
class XDisplay {
 public:
  XDisplay() {
    server_.setProgram(QStringLiteral("Xvfb"));
    // -displayfd 1: the server picks a free display and prints its number.
    server_.setArguments({"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    server_.start();
    const auto numberPrinted = [this] {
      return server_.canReadLine() || (server_.waitForReadyRead(100) && server_.canReadLine());
    };
    if (!server_.waitForStarted() || !WaitFor(numberPrinted)) return;
    display_ = QLatin1Char(':') + QString::fromLatin1(server_.readLine()).trimmed();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    windowManager_.setProcessEnvironment(environment);
    windowManager_.start(QStringLiteral("openbox"), {});
    // The manager runs once it answers for the root window.
    if (!WaitFor(
            [this] { return RunTool(display_, QStringLiteral("wmctrl"), {"-m"}).has_value(); })) {
      display_.clear();
    }
  }
  ~XDisplay() {
    for (QProcess* process : {&windowManager_, &server_}) {
      process->kill();
      process->waitForFinished(test::kProgramWaitMs);
    }
  }

  // Empty when no server could be started.
  const QString& Display() const { return display_; }

  // Each window the manager lists: its process id and title.
  QList<std::pair<qint64, QString>> Windows() const {
    QList<std::pair<qint64, QString>> windows;
    const std::optional<QString> listed = RunTool(display_, QStringLiteral("wmctrl"), {"-lp"});
    for (const QString& line : listed.value_or(QString()).split('\n', Qt::SkipEmptyParts)) {
      // id, desktop, process id, host, title
      const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
      if (parts.size() < 5) continue;
      windows.append({parts[2].toLongLong(), parts.mid(4).join(' ')});
    }
    return windows;
  }
  bool HasWindow(const QString& title) const {
    for (const auto& [processId, shown] : Windows()) {
      if (shown == title) return true;
    }
    return false;
  }

 private:
  QProcess server_;
  QProcess windowManager_;
  QString display_;
};

class DesktopWindowTest : public test::ProgramFixture {
 protected:
  void SetUp() override {
    for (const char* tool : {"Xvfb", "openbox", "wmctrl", "xdotool"}) {
      if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
        GTEST_SKIP() << tool << " is not installed";
      }
    }
    ProgramFixture::SetUp();
    display_.emplace();
    if (display_->Display().isEmpty()) GTEST_SKIP() << "no X server could be started";
  }

  Program::Environment OnDisplay() const {
    return {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display_->Display()}};
  }
  // The first copy, on the display, once it runs idle.
  std::unique_ptr<Program> StartFirst() {
    auto first = std::make_unique<Program>(Home(), QStringList(), OnDisplay());
    // Not WaitUntilIdle's second start: without a notification area that
    // opens "Notes & Reminders", which would hold the input and be the
    // window the option tests wait for. The stand-in window of the
    // notification area says that the start-up ran.
    EXPECT_TRUE(WaitForTables(*first));
    EXPECT_TRUE(WaitFor([&] { return display_->HasWindow("Paperwisp"); }, kWindowWaitMs));
    return first;
  }

  // A first run that makes the tables and ends with `notes` in them.
  void SeedNotes(const QList<test::TestNote>& notes) {
    std::unique_ptr<Program> first = StartFirst();
    std::unique_ptr<DbfTable> table = OpenNotes();
    for (const test::TestNote& note : notes) test::ControllerFixture::AppendNote(*table, note);
    table->Close();
    first->Terminate();
    EXPECT_EQ(first->ExitCode(), 0);
  }

  // `arguments` given to a later start make a window titled `title`
  // appear within 5 seconds, and no window of another process (a second
  // tray icon or its stand-in).
  void ExpectOptionShowsWindow(const QStringList& arguments, const QString& title) {
    std::unique_ptr<Program> first = StartFirst();
    ASSERT_TRUE(first->Running());
    Program later(Home(), arguments, OnDisplay());
    EXPECT_EQ(later.ExitCode(), 0);
    EXPECT_TRUE(WaitFor([&] { return display_->HasWindow(title); }, kWindowWaitMs))
        << title.toStdString();
    for (const auto& [processId, shown] : display_->Windows()) {
      EXPECT_EQ(processId, first->ProcessId()) << shown.toStdString();
    }
  }

  std::optional<XDisplay> display_;
};

struct OptionWindow {
  QStringList arguments;
  const char* title;
};

class OptionWindowTest : public DesktopWindowTest,
                         public ::testing::WithParamInterface<OptionWindow> {};

TEST_P(OptionWindowTest, TheOptionOpensItsWindowInTheRunningCopy) {
  ExpectOptionShowsWindow(GetParam().arguments, QLatin1String(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(Options, OptionWindowTest,
                         ::testing::Values(OptionWindow{{"--new", "Groceries\neggs"}, "Groceries"},
                                           OptionWindow{{"--configure"}, "Configure Paperwisp"},
                                           OptionWindow{{"--notes"}, "Notes & Reminders"},
                                           // No notification area: a plain second start.
                                           OptionWindow{{}, "Notes & Reminders"}),
                         [](const ::testing::TestParamInfo<OptionWindow>& info) {
                           return "Option" + std::to_string(info.index);
                         });

TEST_F(DesktopWindowTest, TaskListsShowEachNoteByItsCaptionOrFirstLine) {
  SeedNotes({{.text = "Buy milk", .desc = "Shopping"}, {.text = "Call Anna\nat five"}});
  std::unique_ptr<Program> program = StartFirst();
  EXPECT_TRUE(WaitFor([&] { return display_->HasWindow("Shopping"); }, kWindowWaitMs));
  EXPECT_TRUE(display_->HasWindow("Call Anna"));
  EXPECT_FALSE(display_->HasWindow("Buy milk"));
}

TEST_F(DesktopWindowTest, TextTypedIntoANoteOutlivesAKill) {
  SeedNotes({{.text = "Typing here"}});
  std::unique_ptr<Program> first = StartFirst();
  ASSERT_TRUE(WaitFor([&] { return display_->HasWindow("Typing here"); }, kWindowWaitMs));
  const std::optional<QString> window =
      RunTool(display_->Display(), "xdotool", {"search", "--name", "^Typing here$"});
  ASSERT_TRUE(window.has_value());
  const QString id = window->split('\n', Qt::SkipEmptyParts).value(0);
  // A click into the text, at its end, then keys.
  ASSERT_TRUE(RunTool(display_->Display(), "xdotool",
                      {"mousemove", "--window", id, "60", "60", "click", "1", "key", "ctrl+End",
                       "type", "--delay", "20", " and more"}));
  const auto stored = [this] {
    std::unique_ptr<DbfTable> notes = OpenNotes();
    notes->GoTop();
    auto memo = notes->CreateBlobStreamByName("MEMO", MemoStream::kRead);
    const QByteArray text = memo && memo->isOpen() ? memo->readAll() : QByteArray();
    if (memo) memo->Finish();
    return text;
  };
  // A kill shortly after the last key: the words are already in the table.
  QTest::qWait(kKillAfterTypingMs);
  ASSERT_TRUE(first->Kill());
  EXPECT_TRUE(stored().contains("Typing here and more")) << stored().toStdString();
}

}  // namespace
}  // namespace pw
