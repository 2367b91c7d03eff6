// The command line: what it asks for, its help text, the command as it
// travels to the running copy, and how the running copy carries it out on
// a real controller: waiting for the start-up, refused in the shutdown.
#include <gtest/gtest.h>

#include <QTest>
#include <optional>

#include "app/command_line.h"
#include "app/command_line_options.h"
#include "app/command_runner.h"
#include "app/controller_fixture.h"
#include "richtext/note_editor.h"

namespace pw {
namespace {

CommandLine Parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("paperwisp"));
  return ParseCommandLine(arguments);
}

TEST(CommandLineTest, EachOptionIsReadWithTheTextItTakes) {
  const CommandLine none = Parse({});
  EXPECT_EQ(none.kind, CommandLine::Kind::Run);
  EXPECT_EQ(none.option, nullptr);
  EXPECT_TRUE(none.StartsProgram());
  EXPECT_TRUE(none.Command().isEmpty());

  const CommandLine text = Parse({"--new", "milk and eggs"});
  ASSERT_EQ(text.kind, CommandLine::Kind::Run);
  EXPECT_EQ(text.option, FindCommandLineOption("new"));
  EXPECT_EQ(text.Command(), QStringList({"new", "milk and eggs"}));
  // "-" stands for standard input; after "--" a text may begin with a dash.
  EXPECT_EQ(Parse({"--new", "-"}).text, "-");
  EXPECT_EQ(Parse({"--new", "--", "-5 degrees"}).text, "-5 degrees");
  const CommandLine bare = Parse({"--new"});
  EXPECT_TRUE(bare.text.isNull());
  EXPECT_EQ(bare.Command(), QStringList({"new"}));

  EXPECT_TRUE(Parse({"--show-all"}).StartsProgram());
  EXPECT_FALSE(Parse({"--hide-all"}).StartsProgram());
  EXPECT_FALSE(Parse({"--quit"}).StartsProgram());
  EXPECT_EQ(Parse({"--help"}).kind, CommandLine::Kind::Help);
  EXPECT_EQ(Parse({"-h"}).kind, CommandLine::Kind::Help);
}

TEST(CommandLineTest, QtsOwnOptionsAreLeftToQt) {
  const CommandLine styled = Parse(
      {"-style", "fusion", "--new", "-stylesheet=a.qss", "text", "--platform", "xcb", "-reverse"});
  ASSERT_EQ(styled.kind, CommandLine::Kind::Run) << styled.error.toStdString();
  EXPECT_EQ(styled.Command(), QStringList({"new", "text"}));
  // After "--" they are text.
  EXPECT_EQ(Parse({"--new", "--", "-style"}).text, "-style");
}

TEST(CommandLineTest, WrongCommandLinesAreRefusedWithAReason) {
  for (const QStringList& wrong :
       {QStringList{"--bogus"}, QStringList{"--quit", "now"}, QStringList{"--new", "a", "b"},
        QStringList{"--hide-all", "--quit"}, QStringList{"text"}}) {
    const CommandLine commandLine = Parse(wrong);
    EXPECT_EQ(commandLine.kind, CommandLine::Kind::Error) << wrong.join(' ').toStdString();
    EXPECT_FALSE(commandLine.error.isEmpty());
  }
}

TEST(CommandLineTest, TheHelpListsEveryOptionOfTheTable) {
  const QString help = HelpText("paperwisp");
  EXPECT_TRUE(help.startsWith("Usage: paperwisp [OPTION]"));
  EXPECT_TRUE(help.contains("--help"));
  EXPECT_TRUE(help.contains("--new [TEXT]"));
  for (const CommandLineOption& option : CommandLineOptions()) {
    EXPECT_TRUE(help.contains(QStringLiteral("--") + option.name)) << option.name;
    EXPECT_TRUE(help.contains(QLatin1String(option.help))) << option.name;
    // What travels to the running copy is read back as the same command.
    CommandLine given;
    given.option = &option;
    given.text = QStringLiteral("x");
    const CommandLine received = CommandLineOfRequest(given.Command());
    EXPECT_EQ(received.option, &option);
    EXPECT_EQ(received.text, "x");
  }
  EXPECT_EQ(CommandLineOfRequest({"dance"}).kind, CommandLine::Kind::Error);
}

struct Answered {
  int exitCode = -1;
  QString text;
};

class CommandRunnerTest : public test::ControllerFixture {
 protected:
  CommandRunner::Answer Into(std::optional<Answered>* answer) {
    return [answer](int exitCode, const QString& text) { *answer = Answered{exitCode, text}; };
  }
};

TEST_F(CommandRunnerTest, ACommandBeforeTheStartUpWaitsForItsNotes) {
  std::unique_ptr<NotesController> controller = StartWithoutTimer();
  CommandRunner runner(*controller);
  std::optional<Answered> answer;
  runner.Run({"new", "Call Anna\nat five"}, Into(&answer));
  EXPECT_FALSE(answer.has_value());
  controller->onStartupTimeout();
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->exitCode, 0) << answer->text.toStdString();
  const QList<NoteWindow*> open = OpenWindows(*controller);
  ASSERT_EQ(open.size(), 1);
  EXPECT_EQ(open.front()->Editor()->toPlainText(), "Call Anna\nat five");
  EXPECT_EQ(open.front()->windowTitle(), "Call Anna");
  // Saved at once, not only at the end of the run.
  DbfTable& notes = controller->NotesTable();
  notes.Go(open.front()->RecordLink());
  auto memo = notes.CreateBlobStreamByName("MEMO", MemoStream::kRead);
  ASSERT_TRUE(memo && memo->isOpen());
  EXPECT_TRUE(memo->readAll().contains("at five"));
  memo->Finish();
  EXPECT_EQ(notes.GetFieldStr("SHOWING"), "Y");

  controller->FormCloseQuery();
  runner.Run({"show-all"}, Into(&answer));
  EXPECT_EQ(answer->exitCode, 1);
  EXPECT_TRUE(answer->text.contains("shutting down"));
}

TEST_F(CommandRunnerTest, HideAllAndShowAllTakeEveryNoteOffAndBack) {
  std::unique_ptr<NotesController> controller = Start();
  const std::int32_t hidden = AppendNote(controller->NotesTable(), {.showing = "N", .desc = "Hid"});
  AppendNote(controller->NotesTable(), {.showing = "N", .desc = "Also"});
  ASSERT_TRUE(OpenWindows(*controller).isEmpty());
  CommandRunner runner(*controller);
  std::optional<Answered> answer;
  runner.Run({"show-all"}, Into(&answer));
  EXPECT_EQ(answer->exitCode, 0);
  EXPECT_EQ(OpenWindows(*controller).size(), 2);
  controller->NotesTable().Go(hidden);
  EXPECT_EQ(controller->NotesTable().GetFieldStr("SHOWING"), "Y");

  runner.Run({"hide-all"}, Into(&answer));
  EXPECT_EQ(answer->exitCode, 0);
  QCoreApplication::processEvents();
  EXPECT_TRUE(OpenWindows(*controller).isEmpty());
  runner.Run({"reboot"}, Into(&answer));
  EXPECT_EQ(answer->exitCode, 2);
  runner.Run({"quit"}, Into(&answer));
  EXPECT_EQ(answer->exitCode, 0);
  EXPECT_TRUE(controller->ShuttingDown());
  EXPECT_TRUE(ReadSetting(Config(), config::kTerminatedOK));
}

}  // namespace
}  // namespace pw
