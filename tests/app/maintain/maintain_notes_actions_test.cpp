// The actions of the Notes & Reminders window's context menus, chosen with
// real clicks: showing and hiding a note, sending it to the trash, restoring
// it, emptying the trash (with a record another view holds locked), editing
// a hidden note's properties, and exporting notes as Markdown.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include "app/maintain/maintain_notes_fixture.h"
#include "app/record/note_record.h"
#include "dialogs/note_props_dialog.h"
#include "richtext/note_editor.h"
#include "support/modal_dialog.h"

namespace pw::test {
namespace {

using MaintainNotesActionsTest = MaintainNotesFixture;

TEST_F(MaintainNotesActionsTest, ShowNoteOnDesktopOpensAHiddenNoteAndHidesAShowingOne) {
  auto controller = Start();
  const std::int32_t record =
      AppendNote(controller->NotesTable(), {.showing = "N", .text = "hello", .desc = "hidden"});
  auto window = OpenWindow(*controller);
  DataGrid& grid = *window->NotesGrid();
  ChooseFromMenu(grid, 0, "ShowNoteonDesktop1");
  EXPECT_EQ(Showing(window->NotesView(), record), "Y");
  NoteWindow* note = WindowOfRecord(*controller, record);
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Title(), "hidden");
  EXPECT_EQ(Captions(grid), QStringList({"hidden"}));
  EXPECT_EQ(grid.model()->index(0, 1).data().toString(), "Y");
  // The menu's check mark shows that the note is on the desktop.
  const QPoint at = grid.visualRect(grid.model()->index(0, 0)).center();
  QContextMenuEvent request(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
  QApplication::sendEvent(grid.viewport(), &request);
  auto* item = grid.PopupMenu()->findChild<QAction*>("ShowNoteonDesktop1");
  EXPECT_TRUE(item->isChecked());
  grid.PopupMenu()->hide();
  ChooseFromMenu(grid, 0, "ShowNoteonDesktop1");
  EXPECT_EQ(WindowOfRecord(*controller, record), nullptr);
  EXPECT_EQ(Showing(window->NotesView(), record), "N");
  EXPECT_EQ(grid.model()->index(0, 1).data().toString(), "N");
}

TEST_F(MaintainNotesActionsTest, SendNoteToTrashHidesAShowingNoteThenMovesIt) {
  auto controller = Start();
  AppendNote(controller->NotesTable(), {.showing = "N", .desc = "stays"});
  const std::int32_t record =
      AppendNote(controller->NotesTable(), {.showing = "Y", .desc = "goes"});
  controller->ShowNoteOfRecord(record);
  ASSERT_NE(WindowOfRecord(*controller, record), nullptr);
  auto window = OpenWindow(*controller);
  ChooseFromMenu(*window->NotesGrid(), 1, "SendNotetoTrash1");
  EXPECT_EQ(WindowOfRecord(*controller, record), nullptr);
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"stays"}));
  EXPECT_EQ(Captions(*window->TrashGrid()), QStringList({"goes"}));
  DbfTable& trash = controller->TrashTable();
  trash.GoTop();
  EXPECT_EQ(trash.GetFieldStr("DESC").trimmed(), "goes");
  // The window saved itself hidden before the copy was made.
  EXPECT_EQ(trash.GetFieldStr("SHOWING"), "N");
}

TEST_F(MaintainNotesActionsTest, RestoreNoteAsksAndOnlyYesMovesTheNoteBackHidden) {
  auto controller = Start();
  AppendNote(controller->TrashTable(), {.showing = "Y", .text = "back", .desc = "trashed"});
  auto window = OpenWindow(*controller);
  ClickTab(*window, "Trash Bin");
  for (QMessageBox::StandardButton refusal : {QMessageBox::No, QMessageBox::Cancel}) {
    AnswerNextBox(refusal);
    ChooseFromMenu(*window->TrashGrid(), 0, "RestoreNote1");
    EXPECT_EQ(Captions(*window->TrashGrid()), QStringList({"trashed"}));
    EXPECT_EQ(Captions(*window->NotesGrid()), QStringList());
  }
  AnswerNextBox(QMessageBox::Yes);
  ChooseFromMenu(*window->TrashGrid(), 0, "RestoreNote1");
  EXPECT_EQ(boxTexts_, QStringList(3, "Restore this trashed note?"));
  EXPECT_EQ(Captions(*window->TrashGrid()), QStringList());
  DbfTable& notes = controller->NotesTable();
  notes.GoTop();
  ASSERT_FALSE(notes.Eof());
  EXPECT_EQ(notes.GetFieldStr("DESC").trimmed(), "trashed");
  EXPECT_EQ(notes.GetFieldStr("SHOWING"), "N");
  EXPECT_TRUE(OpenWindows(*controller).isEmpty());
}

TEST_F(MaintainNotesActionsTest, EmptyingAnEmptyTrashDeletesNothingAndRestoresTheCursor) {
  auto controller = Start();
  auto window = OpenWindow(*controller);
  ClickTab(*window, "Trash Bin");
  AnswerNextBox(QMessageBox::No);
  ChooseFromMenu(*window->TrashGrid(), 0, "EmptyTrashBin1");
  AnswerNextBox(QMessageBox::Yes);
  window->onEmptyTrashBin();
  EXPECT_EQ(boxTexts_.size(), 2);
  EXPECT_EQ(boxTexts_.last(), "Permanently delete all notes contained in the Trash Bin?");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_TRUE(window->TrashGrid()->updatesEnabled());
}

TEST_F(MaintainNotesActionsTest, EmptyingTheTrashSkipsARecordHeldLockedAndSaysSo) {
  auto controller = Start();
  DbfTable& trash = controller->TrashTable();
  for (const char* desc : {"one", "held", "three"})
    AppendNote(trash, {.showing = "N", .desc = desc});
  auto window = OpenWindow(*controller);
  ClickTab(*window, "Trash Bin");
  // Another view of Trash.dbf holds record 2.
  trash.Go(2);
  ASSERT_TRUE(trash.RLock());
  AnswerNextBox(QMessageBox::Yes);
  QTimer::singleShot(50, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    boxTexts_ << box->text();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
  ChooseFromMenu(*window->TrashGrid(), 0, "EmptyTrashBin1");
  trash.UnLock();
  ASSERT_EQ(boxTexts_.size(), 2);
  EXPECT_TRUE(boxTexts_[1].startsWith("1 note(s) could not be deleted"))
      << boxTexts_[1].toStdString();
  EXPECT_EQ(Captions(*window->TrashGrid()), QStringList({"held"}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MaintainNotesActionsTest, EditingAHiddenNoteOpensItsWindowAroundTheDialogAndKeepsItHidden) {
  auto controller = Start();
  const std::int32_t record = AppendNote(controller->NotesTable(), {.showing = "N", .desc = "old"});
  auto window = OpenWindow(*controller);
  // A stand-in for the properties dialog: it renames the note in its window.
  bool windowWasOpen = false;
  QObject::connect(window.get(), &NotesManagerWindow::editNotePropertiesRequested,
                   [&](std::int32_t asked) {
                     NoteWindow* note = WindowOfRecord(*controller, asked);
                     windowWasOpen = note != nullptr && asked == record;
                     if (note != nullptr) note->SetTitle("renamed");
                   });
  ChooseFromMenu(*window->NotesGrid(), 0, "EditNoteProperties1");
  EXPECT_TRUE(windowWasOpen);
  EXPECT_EQ(WindowOfRecord(*controller, record), nullptr);
  EXPECT_EQ(Showing(window->NotesView(), record), "N");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"renamed"}));
  // A double click on the row runs the same action.
  windowWasOpen = false;
  const QPoint row =
      window->NotesGrid()->visualRect(window->NotesGrid()->model()->index(0, 0)).center();
  QTest::mouseDClick(window->NotesGrid()->viewport(), Qt::LeftButton, {}, row);
  EXPECT_TRUE(windowWasOpen);
}

TEST_F(MaintainNotesActionsTest, EditNotePropertiesOpensThePropertiesDialogOfTheNote) {
  auto controller = Start();
  const std::int32_t record = AppendNote(controller->NotesTable(), {.showing = "N", .desc = "old"});
  controller->onNotesAndReminders();
  NotesManagerWindow* window = controller->MaintainNotes();
  ASSERT_NE(window, nullptr);
  QString offered;
  WhenModal<NotePropertiesDialog>([&offered](NotePropertiesDialog* dialog) {
    offered = dialog->DescriptionEdit()->text();
    dialog->DescriptionEdit()->selectAll();
    QTest::keyClicks(dialog->DescriptionEdit(), "renamed");
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
  });
  ChooseFromMenu(*window->NotesGrid(), 0, "EditNoteProperties1");
  EXPECT_EQ(offered, "old");
  EXPECT_EQ(Captions(*window->NotesGrid()), QStringList({"renamed"}));
  EXPECT_EQ(Showing(window->NotesView(), record), "N");
  window->close();
}

TEST_F(MaintainNotesActionsTest, ExportWritesOneMarkdownFilePerNoteUnderSafeUniqueNames) {
  auto controller = Start();
  DbfTable& notes = controller->NotesTable();
  AppendNote(notes, {.showing = "N", .text = "{\\rtf1 first {\\b bold}}", .desc = "a/b: c?"});
  AppendNote(notes, {.showing = "N", .text = "second", .desc = "a/b: c?"});
  AppendNote(notes, {.showing = "N", .text = "", .desc = ""});
  TempDir target;
  QFile existing(QString::fromStdString(target.file("Note.md")));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  auto window = OpenWindow(*controller);
  window->ChooseExportFolder = [&](QWidget*) { return QString::fromStdString(target.path()); };
  ChooseFromMenu(*window->NotesGrid(), 0, "ExportPage1");
  const QDir folder(QString::fromStdString(target.path()));
  EXPECT_EQ(folder.entryList(QDir::Files, QDir::Name),
            QStringList({"Note (2).md", "Note.md", "a_b_ c_ (2).md", "a_b_ c_.md"}));
  QFile first(folder.filePath("a_b_ c_.md"));
  ASSERT_TRUE(first.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(first.readAll());
  EXPECT_TRUE(text.startsWith("# a/b: c?\n\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("first **bold**")) << text.toStdString();
  // Only the selected note.
  TempDir single;
  window->ChooseExportFolder = [&](QWidget*) { return QString::fromStdString(single.path()); };
  ChooseFromMenu(*window->NotesGrid(), 1, "ExportNotes1");
  EXPECT_EQ(QDir(QString::fromStdString(single.path())).entryList(QDir::Files),
            QStringList({"a_b_ c_.md"}));
}

TEST_F(MaintainNotesActionsTest, TheMenuActsOnTheRowRightClickedNotTheFirst) {
  auto controller = Start();
  DbfTable& notes = controller->NotesTable();
  for (const char* desc : {"one", "two", "three"})
    AppendNote(notes, {.showing = "N", .desc = desc});
  auto window = OpenWindow(*controller);
  DataGrid& grid = *window->NotesGrid();
  ChooseFromMenu(grid, 2, "ShowNoteonDesktop1");
  EXPECT_EQ(Showing(notes, 1), "N");
  EXPECT_EQ(Showing(notes, 3), "Y");
  ASSERT_NE(WindowOfRecord(*controller, 3), nullptr);
  EXPECT_EQ(WindowOfRecord(*controller, 3)->Title(), "three");
  EXPECT_EQ(grid.CurrentRecordNumber(), 3);
  ChooseFromMenu(grid, 1, "SendNotetoTrash1");
  EXPECT_EQ(Captions(grid), QStringList({"one", "three"}));
  EXPECT_EQ(Captions(*window->TrashGrid()), QStringList({"two"}));
  TempDir target;
  window->ChooseExportFolder = [&](QWidget*) { return QString::fromStdString(target.path()); };
  ChooseFromMenu(grid, 1, "ExportNotes1");
  EXPECT_EQ(QDir(QString::fromStdString(target.path())).entryList(QDir::Files),
            QStringList({"three.md"}));
}

TEST_F(MaintainNotesActionsTest, TheWindowFollowsNotesMadeWhileItIsOpenAndKeepsTheSelection) {
  auto controller = Start();
  DbfTable& notes = controller->NotesTable();
  AppendNote(notes, {.showing = "N", .text = "first text", .desc = "one"});
  AppendNote(notes, {.showing = "N", .text = "second text", .desc = "two"});
  auto window = OpenWindow(*controller);
  DataGrid& grid = *window->NotesGrid();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                    grid.visualRect(grid.model()->index(1, 0)).center());
  ASSERT_EQ(grid.CurrentRecordNumber(), 2);
  // As --new or a minute pass makes it: the window is not activated again.
  ASSERT_NE(controller->NewNoteFromTemplate(1), nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return grid.model()->rowCount() == 3; }));
  EXPECT_EQ(grid.CurrentRecordNumber(), 2);
  ChooseFromMenu(grid, 1, "ShowNoteonDesktop1");
  ASSERT_NE(WindowOfRecord(*controller, 2), nullptr);
  QTest::qWait(4 * NotesManagerWindow::kRereadDelayMs);
  EXPECT_EQ(grid.CurrentRecordNumber(), 2);
  EXPECT_EQ(window->Editor()->toPlainText(), "second text");
  ChooseFromMenu(grid, 1, "ShowNoteonDesktop1");
  QTest::qWait(4 * NotesManagerWindow::kRereadDelayMs);
  EXPECT_EQ(WindowOfRecord(*controller, 2), nullptr);
  EXPECT_EQ(grid.CurrentRecordNumber(), 2);
  EXPECT_EQ(window->Editor()->toPlainText(), "second text");
}

}  // namespace
}  // namespace pw::test
