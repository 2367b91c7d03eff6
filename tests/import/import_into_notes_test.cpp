// Imports written into notes.dbf as new notes are: field by field, once per
// source, all or nothing; from the command line and from the tray menu.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

#include "app/command_line.h"
#include "app/command_line_options.h"
#include "app/controller_fixture.h"
#include "app/maintain/maintain_notes.h"
#include "app/record/note_caption.h"
#include "app/record/note_record.h"
#include "grid/data_grid.h"
#include "import/import_test_support.h"
#include "settings/windows_color.h"
#include "support/modal_dialog.h"

namespace pw::test {
namespace {

struct StoredNote {
  QString desc, showing, stayOnTop, board, char1;
  int color = 0, left = 0, top = 0, width = 0, height = 0, handle = 0;
  QString text;
};

class ImportIntoNotes : public ControllerFixture {
 protected:
  // Every live record of notes.dbf, in record order.
  static std::vector<StoredNote> Stored(DbfTable& notes) {
    std::vector<StoredNote> stored;
    const QString tag = notes.CurrentTag();
    notes.SetOrderTo(0);
    for (notes.GoTop(); !notes.Eof(); notes.Skip(1)) {
      StoredNote note;
      note.desc = notes.GetFieldStr("DESC").trimmed();
      note.showing = notes.GetFieldStr("SHOWING");
      note.stayOnTop = notes.GetFieldStr("STAYONTOP");
      note.board = notes.GetFieldStr("NOTEBOARD").trimmed();
      note.char1 = notes.GetFieldStr("CHAR1").trimmed();
      note.color = notes.GetFieldInt("COLOR");
      note.left = notes.GetFieldInt("LEFT");
      note.top = notes.GetFieldInt("TOP");
      note.width = notes.GetFieldInt("WIDTH");
      note.height = notes.GetFieldInt("HEIGHT");
      note.handle = notes.GetFieldInt("HANDLE");
      auto memo = notes.CreateBlobStreamByName("MEMO", MemoStream::kRead);
      note.text = PlainTextOfRtf(memo->readAll());
      memo->Finish();
      stored.push_back(note);
    }
    if (!tag.isEmpty()) notes.SetOrderToTag(tag);
    return stored;
  }
  static const StoredNote& Captioned(const std::vector<StoredNote>& stored, const char* desc) {
    for (const StoredNote& note : stored) {
      if (note.desc == QLatin1String(desc)) return note;
    }
    throw std::runtime_error(std::string("no note ") + desc);
  }
};

TEST_F(ImportIntoNotes, NotesArriveFieldByFieldInsideTheScreenAndOnlyOnce) {
  auto controller = Start();
  const QStringList sources{ImportSample("xpad"), ImportSample("mint/notes.json")};
  const ImportSummary first = controller->ImportNotes(sources);
  ASSERT_TRUE(first.ok) << first.text.toStdString();
  EXPECT_EQ(first.text, "3 notes imported.");
  const std::vector<StoredNote> stored = Stored(controller->NotesTable());
  ASSERT_EQ(stored.size(), 3u);

  const StoredNote& pad = Captioned(stored, "Buy stamps");
  EXPECT_EQ(pad.text, "Buy stamps\nand envelopes");
  EXPECT_EQ(pad.color, WindowsValueOfColor(QColor(0xCCFFCC)));
  // x 1500 on a 1024-pixel screen: moved in until its right edge fits.
  EXPECT_EQ(pad.left, 1024 - 240);
  EXPECT_EQ(pad.top, 40);
  EXPECT_EQ(pad.width, 240);
  EXPECT_EQ(pad.height, 180);
  EXPECT_EQ(pad.showing, "N");
  EXPECT_EQ(pad.stayOnTop, "Y");
  EXPECT_EQ(pad.board, "1");
  // The import ledger is a file of its own; the spare fields stay free.
  EXPECT_EQ(pad.char1, "");
  EXPECT_TRUE(QFile::exists(File("Imported.txt")));

  const StoredNote& call = Captioned(stored, "Call");
  EXPECT_EQ(call.board, "Work");
  EXPECT_EQ(call.left, 1024 - 180);
  EXPECT_EQ(call.top, 768 - 150);
  EXPECT_EQ(call.showing, "Y");
  EXPECT_NE(call.handle, 0);  // its window is open and wrote its handle
  EXPECT_EQ(Captioned(stored, "Errands").board, "Group 1");

  const ImportSummary second = controller->ImportNotes(sources);
  EXPECT_TRUE(second.ok);
  EXPECT_EQ(second.text, "0 notes imported.");
  EXPECT_EQ(Stored(controller->NotesTable()).size(), 3u);
}

TEST_F(ImportIntoNotes, OneRefusedSourceImportsNothing) {
  auto controller = Start();
  QFile damaged(File("damaged.ics"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("BEGIN:VCALENDAR\r\nBEGIN:VJOURNAL\r\nUID:x\r\n");
  damaged.close();
  const ImportSummary summary =
      controller->ImportNotes({ImportSample("gnome/notes.json"), File("damaged.ics")});
  EXPECT_FALSE(summary.ok);
  EXPECT_TRUE(summary.text.contains("damaged.ics"));
  EXPECT_TRUE(summary.text.contains("Nothing was imported."));
  EXPECT_TRUE(Stored(controller->NotesTable()).empty());
  EXPECT_FALSE(QFile::exists(File("Imported.txt")));
}

TEST_F(ImportIntoNotes, AnotherNotesTableIsMergedWithNewHandles) {
  TempDir other;
  {
    DbfTable source;
    ConfigureNoteTable(source, NoteTableFieldLines());
    source.SetIndexList(NoteIndexLines());
    source.SetDbfFileName(QString::fromStdString(other.file("notes.dbf")));
    source.Open();
    AppendNote(source, {.showing = "Y",
                        .left = 10,
                        .top = 20,
                        .width = 200,
                        .height = 150,
                        .text = "{\\rtf1 Old {\\b note}\\par}",
                        .desc = "From backup",
                        .noteBoard = "3"});
    source.SetFieldInt("HANDLE", 4242);
    source.RLock();
    source.ReplaceRec();
    source.UnLock();
    source.Close();
  }
  const QDir sourceFolder(QString::fromStdString(other.path()));
  const QStringList sourceFiles = sourceFolder.entryList(QDir::Files);
  auto controller = Start();
  AppendNote(controller->NotesTable(), {.desc = "Already here"});
  const QString table = QString::fromStdString(other.file("notes.dbf"));
  ASSERT_TRUE(controller->ImportNotes({table}).ok);
  const std::vector<StoredNote> stored = Stored(controller->NotesTable());
  ASSERT_EQ(stored.size(), 2u);
  const StoredNote& merged = Captioned(stored, "From backup");
  EXPECT_EQ(merged.text, "Old note");
  EXPECT_EQ(merged.color, 10092543);
  EXPECT_EQ(merged.left, 10);
  EXPECT_EQ(merged.top, 20);
  EXPECT_EQ(merged.board, "3");
  EXPECT_NE(merged.handle, 4242);
  EXPECT_EQ(controller->ImportNotes({table}).text, "0 notes imported.");
  EXPECT_EQ(Stored(controller->NotesTable()).size(), 2u);
  // Nothing was made beside the source: no index, no lock file.
  EXPECT_EQ(sourceFolder.entryList(QDir::Files), sourceFiles);
}

TEST_F(ImportIntoNotes, ACaptionOutsideTheCodePageArrivesExactly) {
  QTemporaryDir folder;
  const QString caption = QString::fromUtf8(
      "\u03A9mega \u041F\u0440\u0438\u0432\u0435\u0442 "
      "\u4F60\u597D \U0001F389");
  QFile file(folder.filePath(caption + QStringLiteral(".txt")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Text");
  file.close();
  auto controller = Start();
  ASSERT_TRUE(controller->ImportNotes({file.fileName()}).ok);
  DbfTable& notes = controller->NotesTable();
  notes.SetOrderTo(0);
  notes.GoTop();
  ASSERT_FALSE(notes.Eof());
  EXPECT_EQ(notes.GetFieldStr("DESC").trimmed(), QStringLiteral("?mega ?????? ?? ?"));
  EXPECT_EQ(CaptionOfRecord(notes), caption);
}

TEST_F(ImportIntoNotes, CommandLineImportsEveryPathGiven) {
  const CommandLine line = ParseCommandLine(
      {"paperwisp", "--import", ImportSample("knotes/notes.ics"), ImportSample("plain")});
  ASSERT_EQ(line.kind, CommandLine::Kind::Run);
  // The running copy has a working folder of its own: paths go absolute.
  EXPECT_EQ(ParseCommandLine({"paperwisp", "--import", "some/notes.ics"}).text,
            QDir::current().absoluteFilePath("some/notes.ics"));
  auto controller = Start();
  const CommandResult result = line.option->action(*controller, line.text);
  EXPECT_TRUE(result.ok) << result.text.toStdString();
  EXPECT_EQ(result.text, "5 notes imported.");
  EXPECT_FALSE(ImportNotesAt(*controller, QString()).ok);
}

TEST_F(ImportIntoNotes, TrayMenuShowsWhatWillComeBeforeWriting) {
  auto controller = Start();
  controller->ChooseImportPaths = [](QWidget*) {
    return QStringList{ImportSample("knotes/notes.ics")};
  };
  QString preview;
  WhenModal<QMessageBox>([&preview](QMessageBox* box) {
    preview = box->text();
    box->button(QMessageBox::No)->click();
  });
  QAction* item = nullptr;
  for (QAction* action : controller->TrayMenu()->actions()) {
    if (action->text() == "Import Notes...") item = action;
  }
  ASSERT_NE(item, nullptr);
  item->trigger();
  EXPECT_TRUE(preview.contains("2 notes found, 2 of them new")) << preview.toStdString();
  EXPECT_TRUE(preview.contains("KNotes alarms"));
  EXPECT_TRUE(Stored(controller->NotesTable()).empty());

  WhenModal<QMessageBox>([](QMessageBox* box) {
    WhenModal<QMessageBox>([](QMessageBox* done) { done->accept(); });
    box->button(QMessageBox::Yes)->click();
  });
  item->trigger();
  EXPECT_EQ(Stored(controller->NotesTable()).size(), 2u);
}

TEST_F(ImportIntoNotes, NotesAndRemindersImportsIntoAnEmptyListAndShowsTheNotes) {
  auto controller = Start();
  controller->ChooseImportPaths = [](QWidget*) {
    return QStringList{ImportSample("knotes-maildir/cur/1709288100.R42.host:2,S")};
  };
  controller->onNotesAndReminders();
  NotesManagerWindow* window = controller->MaintainNotes();
  ASSERT_NE(window, nullptr);
  auto* item = window->PopupNotes()->findChild<QAction*>("ImportNotes1");
  ASSERT_NE(item, nullptr);
  emit window->PopupNotes()->aboutToShow();
  EXPECT_TRUE(item->isEnabled());  // with no note to select
  WhenModal<QMessageBox>([](QMessageBox* box) {
    WhenModal<QMessageBox>([](QMessageBox* done) { done->accept(); });
    box->button(QMessageBox::Yes)->click();
  });
  item->trigger();
  EXPECT_EQ(window->NotesGrid()->model()->rowCount(), 2);
  window->close();
}

}  // namespace
}  // namespace pw::test
