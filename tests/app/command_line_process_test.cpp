// Each option of the command line given to the real program: with no copy
// running and with one, whose tables the test reads beside it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/controller_fixture.h"
#include "app/program_fixture.h"

namespace pw {
namespace {

using test::Program;

class CommandLineProcessTest : public test::ProgramFixture {
 protected:
  int Run(const QStringList& arguments, const QByteArray& input = QByteArray()) {
    Program program(Home(), arguments, {}, input);
    return program.ExitCode();
  }
  // Each record's plain text (its RTF) by record number, and SHOWING.
  struct Stored {
    QByteArray text;
    QString showing;
    int left = 0;
  };
  std::vector<Stored> StoredNotes() const {
    std::vector<Stored> stored;
    std::unique_ptr<DbfTable> notes = OpenNotes();
    notes->SetOrderTo(0);
    for (notes->GoTop(); !notes->Eof(); notes->Skip(1)) {
      auto memo = notes->CreateBlobStreamByName("MEMO", MemoStream::kRead);
      EXPECT_TRUE(memo && memo->isOpen());
      Stored note{memo ? memo->readAll() : QByteArray(), notes->GetFieldStr("SHOWING"),
                  notes->GetFieldInt("LEFT")};
      if (memo) memo->Finish();
      stored.push_back(note);
    }
    return stored;
  }
};

TEST_F(CommandLineProcessTest, HelpAndWrongOptionsTouchNothing) {
  Program help(Home(), {"--help"});
  EXPECT_EQ(help.ExitCode(), 0);
  const QString listed = help.Output();
  for (const char* option : {"--help", "--new [TEXT]", "--show-all", "--hide-all", "--quit"}) {
    EXPECT_TRUE(listed.contains(option)) << option << "\n" << listed.toStdString();
  }
  EXPECT_EQ(Run({"--bogus"}), 2);
  EXPECT_EQ(Run({"--quit", "--new"}), 2);
  // Without a running copy there is nothing to hide or end.
  for (const char* option : {"--quit", "--hide-all"}) {
    Program program(Home(), {option});
    EXPECT_EQ(program.ExitCode(), 0) << option;
    EXPECT_TRUE(program.Output().contains("not running")) << option;
  }
  EXPECT_FALSE(QDir(QString::fromStdString(DataFolder())).exists());
}

TEST_F(CommandLineProcessTest, NewNotesReachTheRunningCopyAndOutliveAKill) {
  Program first(Home());
  ASSERT_TRUE(WaitUntilIdle(first));
  EXPECT_EQ(Run({"--new", "Shopping list\nmilk"}), 0);
  EXPECT_EQ(Run({"--new", "-"}, "from standard input\n"), 0);
  EXPECT_EQ(Run({"--new"}), 0);
  ASSERT_TRUE(first.Kill());
  const std::vector<Stored> notes = StoredNotes();
  ASSERT_EQ(notes.size(), 3U);
  EXPECT_TRUE(notes[0].text.contains("Shopping list")) << notes[0].text.toStdString();
  EXPECT_TRUE(notes[0].text.contains("milk"));
  EXPECT_TRUE(notes[1].text.contains("from standard input")) << notes[1].text.toStdString();
  for (const Stored& note : notes) EXPECT_EQ(note.showing, "Y");
}

TEST_F(CommandLineProcessTest, ShowAllHideAllAndQuitReachTheRunningCopy) {
  Program first(Home());
  ASSERT_TRUE(WaitUntilIdle(first));
  {
    std::unique_ptr<DbfTable> notes = OpenNotes();
    test::ControllerFixture::AppendNote(*notes, {.showing = "N", .text = "one"});
    test::ControllerFixture::AppendNote(*notes, {.showing = "N", .text = "two"});
  }
  EXPECT_EQ(Run({"--show-all"}), 0);
  for (const Stored& note : StoredNotes()) EXPECT_EQ(note.showing, "Y") << note.text.data();
  EXPECT_EQ(Run({"--hide-all"}), 0);
  for (const Stored& note : StoredNotes()) EXPECT_EQ(note.showing, "N") << note.text.data();
  EXPECT_EQ(Run({"--quit"}), 0);
  EXPECT_EQ(first.ExitCode(), 0);
  EXPECT_TRUE(ReadSetting(Config(), config::kTerminatedOK));
  EXPECT_EQ(ReadSetting(Config(), config::kLastPacked), 1);
}

TEST_F(CommandLineProcessTest, ImportReachesTheRunningCopyAndAddsNothingTheSecondTime) {
  Program first(Home());
  ASSERT_TRUE(WaitUntilIdle(first));
  const QString source = Home() + QStringLiteral("/notes.json");
  QFile file(source);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"v": 1, "notes": [{"uuid": "u-1", "content": "imported text", "open": true}]})");
  file.close();
  Program once(Home(), {"--import", source});
  EXPECT_EQ(once.ExitCode(), 0);
  EXPECT_TRUE(once.Output().contains("1 notes imported."));
  Program twice(Home(), {"--import", source});
  EXPECT_EQ(twice.ExitCode(), 0);
  EXPECT_TRUE(twice.Output().contains("0 notes imported."));
  EXPECT_NE(Run({"--import", Home() + QStringLiteral("/missing.ics")}), 0);
  const std::vector<Stored> notes = StoredNotes();
  ASSERT_EQ(notes.size(), 1U);
  EXPECT_TRUE(notes[0].text.contains("imported text")) << notes[0].text.toStdString();
  EXPECT_EQ(Run({"--quit"}), 0);
}

TEST_F(CommandLineProcessTest, AStartWithACommandCarriesItOutOnceItRuns) {
  Program first(Home(), {"--new", "made at the start"});
  ASSERT_TRUE(WaitUntilIdle(first));
  const std::vector<Stored> notes = StoredNotes();
  ASSERT_EQ(notes.size(), 1U);
  EXPECT_TRUE(notes[0].text.contains("made at the start"));
  EXPECT_EQ(Run({"--quit"}), 0);
  EXPECT_EQ(first.ExitCode(), 0);
}

TEST_F(CommandLineProcessTest, AtScaleFactorTwoANoteMovedOntoTheScreenKeepsItsStoredPlace) {
  {
    Program first(Home());
    ASSERT_TRUE(WaitUntilIdle(first));
    std::unique_ptr<DbfTable> notes = OpenNotes();
    // Inside the 800 x 600 offscreen screen, outside its 400 x 300 logical one.
    test::ControllerFixture::AppendNote(*notes, {.left = 600, .top = 100, .text = "far"});
    test::ControllerFixture::AppendNote(*notes, {.left = 20, .top = 20, .text = "near"});
    notes->Close();
    EXPECT_EQ(Run({"--quit"}), 0);
    EXPECT_EQ(first.ExitCode(), 0);
  }
  Program scaled(Home(), {}, {{"QT_SCALE_FACTOR", "2"}});
  ASSERT_TRUE(WaitUntilIdle(scaled));
  EXPECT_EQ(Run({"--quit"}), 0);
  EXPECT_EQ(scaled.ExitCode(), 0);
  const std::vector<Stored> notes = StoredNotes();
  ASSERT_EQ(notes.size(), 2U);
  EXPECT_EQ(notes[0].left, 600);
  EXPECT_EQ(notes[1].left, 20);
  EXPECT_EQ(notes[0].showing, "Y");
}

}  // namespace
}  // namespace pw
