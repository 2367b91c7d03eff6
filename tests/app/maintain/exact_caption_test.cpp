// Captions beyond the table's code page: typed into a note, kept exactly
// through a save, a new window, the trash and back, the lists, the search
// and the export, while DESC holds what other dBASE programs can read.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include "app/controller/template_table_store.h"
#include "app/maintain/maintain_notes_fixture.h"
#include "dialogs/note_caption_dialog.h"
#include "support/modal_dialog.h"

namespace pw::test {
namespace {

using ExactCaptionTest = MaintainNotesFixture;

const QString kCaption = QString::fromUtf8(
    "\xCE\xA9mega \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE4\xBD\xA0\xE5\xA5\xBD "
    "\xF0\x9F\x8E\x89");

// Renames `window` through its caption dialog, as a double click does.
void Rename(NoteWindow* window, const QString& caption) {
  bool seen = false;
  AnswerNextDialog<NoteCaptionDialog>(&seen, [caption](NoteCaptionDialog* dialog) {
    dialog->CaptionEdit()->clear();
    // QTest types ASCII only; what an input method enters arrives as text.
    dialog->CaptionEdit()->insert(caption);
    QTest::keyClick(dialog->CaptionEdit(), Qt::Key_Return);
  });
  QTest::mouseDClick(window->CaptionLabel(), Qt::LeftButton);
  EXPECT_TRUE(seen);
}

TEST_F(ExactCaptionTest, ACaptionOutsideTheCodePageSurvivesEveryPathAndDescHoldsItsSpelling) {
  auto controller = Start();
  DbfTable& notes = controller->NotesTable();
  const std::int32_t record = AppendNote(notes, {.text = "Body text"});
  // At the field's full length: 50 characters, the last one outside 1252.
  const QString full = QString(49, u'x') + QString::fromUtf8("\xD0\xAF");
  const std::int32_t second = AppendNote(notes, {.text = "Second"});
  for (const auto& [number, caption] : {std::pair{record, kCaption}, std::pair{second, full}}) {
    controller->ShowNoteOfRecord(number);
    NoteWindow* window = WindowOfRecord(*controller, number);
    ASSERT_NE(window, nullptr);
    Rename(window, caption);
    ASSERT_EQ(window->Title(), caption);
    window->close();  // saves, hidden
  }
  notes.Go(record);
  EXPECT_EQ(notes.GetFieldStr("DESC").trimmed(), "?mega ?????? ?? ?");
  notes.Go(second);
  EXPECT_EQ(notes.GetFieldStr("DESC").trimmed(), QString(49, u'x') + "?");
  controller->ShowNoteOfRecord(second);
  ASSERT_NE(WindowOfRecord(*controller, second), nullptr);
  EXPECT_EQ(WindowOfRecord(*controller, second)->Title(), full);
  controller->ShowNoteOfRecord(record);
  NoteWindow* window = WindowOfRecord(*controller, record);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Title(), kCaption);
  EXPECT_EQ(window->windowTitle(), kCaption);
  window->TrashNote();

  auto maintain = OpenWindow(*controller);
  EXPECT_EQ(Captions(*maintain->TrashGrid()), QStringList({kCaption}));
  ClickTab(*maintain, "Trash Bin");
  AnswerNextBox(QMessageBox::Yes);
  ChooseFromMenu(*maintain->TrashGrid(), 0, "RestoreNote1");
  EXPECT_EQ(Captions(*maintain->NotesGrid()), QStringList({full, kCaption}));
  ClickTab(*maintain, "All Notes");
  maintain->SearchEdit()->insert(QString::fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8"));
  EXPECT_EQ(Captions(*maintain->NotesGrid()), QStringList({kCaption}));
  TempDir target;
  maintain->ChooseExportFolder = [&](QWidget*) { return QString::fromStdString(target.path()); };
  ChooseFromMenu(*maintain->NotesGrid(), 0, "ExportNotes1");
  EXPECT_EQ(QDir(QString::fromStdString(target.path())).entryList(QDir::Files),
            QStringList({kCaption + ".md"}));
}

// Another program that renames a note writes DESC only: its caption wins
// over the exact one the note's text still carries.
TEST_F(ExactCaptionTest, ACaptionAnotherProgramWroteIntoDescWins) {
  auto controller = Start();
  DbfTable& notes = controller->NotesTable();
  const std::int32_t record = AppendNote(notes, {.text = "Body"});
  controller->ShowNoteOfRecord(record);
  NoteWindow* window = WindowOfRecord(*controller, record);
  ASSERT_NE(window, nullptr);
  Rename(window, kCaption);
  window->close();
  notes.Go(record);
  notes.SetFieldStr("DESC", "Renamed elsewhere");
  ASSERT_TRUE(notes.RLock());
  notes.ReplaceRec();
  notes.UnLock();
  controller->ShowNoteOfRecord(record);
  ASSERT_NE(WindowOfRecord(*controller, record), nullptr);
  EXPECT_EQ(WindowOfRecord(*controller, record)->Title(), "Renamed elsewhere");
}

TEST_F(ExactCaptionTest, ATemplateNameOutsideTheCodePageNamesItsMenuItemAndBoard) {
  auto controller = Start();
  AddTemplates(controller->TemplatesTable(), {});
  TemplateTableStore store(controller->TemplatesTable());
  TemplateValues values;
  ASSERT_TRUE(store.Read(2, &values));
  values.name = kCaption;
  values.text = "{\\rtf1 Template text}";
  ASSERT_TRUE(store.Write(2, values));
  controller->TemplatesTable().Go(2);
  EXPECT_EQ(controller->TemplatesTable().GetFieldStr("DESC").trimmed(), "?mega ?????? ?? ?");
  EXPECT_EQ(store.Names().value(1), kCaption);
  ASSERT_TRUE(store.Read(2, &values));
  EXPECT_EQ(values.name, kCaption);
  controller->onTemplateMenuAboutToShow();
  EXPECT_EQ(controller->TemplateMenu()->actions().value(1)->text(), kCaption);
  auto maintain = OpenWindow(*controller);
  EXPECT_EQ(VisibleTabs(*maintain).value(3), kCaption);
  // A note made from it starts without a caption.
  NoteWindow* note = controller->NewNoteFromTemplate(2);
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->Title().isEmpty());
}

}  // namespace
}  // namespace pw::test
