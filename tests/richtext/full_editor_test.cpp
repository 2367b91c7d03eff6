// The full editor: caption, note colour, a copy of the text, and the text
// handed back on OK only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextList>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "note_editor_test_support.h"
#include "richtext/full_editor.h"

namespace pw {
namespace {

using test::FormatAt;
using test::SelectFromStart;
using test::ShowAndType;

const QColor kNoteYellow(0xFF, 0xFF, 0x99);

QPushButton* DialogButton(const FullEditor& editor, QDialogButtonBox::StandardButton which) {
  return editor.findChild<QDialogButtonBox*>()->button(which);
}

// Runs `work` on the full editor once its modal loop has started.
void WhenFullEditorOpens(std::function<void(FullEditor*)> work) {
  QTimer::singleShot(0, [work] {
    auto* editor = qobject_cast<FullEditor*>(QApplication::activeModalWidget());
    ASSERT_NE(editor, nullptr);
    work(editor);
  });
}

TEST(FullEditor, OpensCaptionedOnTheNoteColourWithACopyOfTheText) {
  NoteEditor note;
  note.SetBackgroundColor(kNoteYellow);
  note.SetUrlDetection(true);
  ShowAndType(&note, "bold rest");
  SelectFromStart(&note, 4);
  QTest::keyClick(&note, Qt::Key_B, Qt::ControlModifier);

  FullEditor full(note);
  EXPECT_EQ(full.windowTitle(), "Edit Note Text");
  EXPECT_TRUE(full.isSizeGripEnabled());
  EXPECT_EQ(full.Editor()->BackgroundColor(), kNoteYellow);
  EXPECT_TRUE(full.Editor()->UrlDetection());
  EXPECT_EQ(full.Editor()->PlainText(), "bold rest");
  EXPECT_EQ(FormatAt(*full.Editor(), 1).fontWeight(), QFont::Bold);
  EXPECT_FALSE(full.Editor()->document()->isUndoAvailable());
  EXPECT_FALSE(full.Editor()->FullEditorEnabled());
  EXPECT_NE(full.Editor()->document(), note.document());
}

TEST(FullEditor, CopyKeepsListsAndParagraphFormats) {
  NoteEditor note;
  note.setPlainText("first item\nsecond item\nclosing words");
  QTextCursor cursor(note.document());
  cursor.setPosition(15, QTextCursor::KeepAnchor);
  note.setTextCursor(cursor);
  note.ToggleBullet();
  note.moveCursor(QTextCursor::End);
  note.setAlignment(Qt::AlignRight);

  FullEditor full(note);
  const QTextDocument* copy = full.Editor()->document();
  ASSERT_EQ(copy->blockCount(), 3);
  const QTextBlock first = copy->firstBlock();
  ASSERT_NE(first.textList(), nullptr);
  EXPECT_EQ(first.textList(), first.next().textList());
  EXPECT_EQ(first.textList()->format().style(), QTextListFormat::ListDisc);
  EXPECT_EQ(first.next().next().textList(), nullptr);
  EXPECT_EQ(copy->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST(FullEditor, ToolBarFormatsTheSelection) {
  NoteEditor note;
  note.setPlainText("plain words");
  FullEditor full(note);
  full.show();
  full.Editor()->selectAll();
  auto* toolBar = full.findChild<QToolBar*>();
  ASSERT_NE(toolBar, nullptr);
  QAction* underline = nullptr;
  for (QAction* action : toolBar->actions()) {
    if (action->text() == "&Underline") underline = action;
  }
  ASSERT_NE(underline, nullptr);
  QTest::mouseClick(toolBar->widgetForAction(underline), Qt::LeftButton);
  EXPECT_TRUE(FormatAt(*full.Editor(), 3).fontUnderline());
  EXPECT_FALSE(FormatAt(note, 3).fontUnderline());
}

TEST(FullEditor, CtrlEOpensItAndOkHandsTheEditedTextBack) {
  NoteEditor note;
  note.SetBackgroundColor(kNoteYellow);
  ShowAndType(&note, "first");
  bool accepted = false;
  QObject::connect(&note, &NoteEditor::fullEditorAccepted, [&accepted] { accepted = true; });
  QColor seenColour;
  WhenFullEditorOpens([&seenColour](FullEditor* full) {
    seenColour = full->Editor()->BackgroundColor();
    full->Editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(full->Editor(), " second");
    SelectFromStart(full->Editor(), 5);
    QTest::keyClick(full->Editor(), Qt::Key_U, Qt::ControlModifier);
    QTest::mouseClick(DialogButton(*full, QDialogButtonBox::Ok), Qt::LeftButton);
  });
  QTest::keyClick(&note, Qt::Key_E, Qt::ControlModifier);

  EXPECT_EQ(seenColour, kNoteYellow);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(note.PlainText(), "first second");
  EXPECT_TRUE(FormatAt(note, 2).fontUnderline());
  EXPECT_FALSE(FormatAt(note, 8).fontUnderline());
  QTest::keyClick(&note, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(note.PlainText(), "first");
}

TEST(FullEditor, CancelLeavesTheNoteAsItWas) {
  NoteEditor note;
  ShowAndType(&note, "unchanged");
  bool accepted = false;
  QObject::connect(&note, &NoteEditor::fullEditorAccepted, [&accepted] { accepted = true; });
  WhenFullEditorOpens([](FullEditor* full) {
    QTest::keyClicks(full->Editor(), "noise ");
    QTest::mouseClick(DialogButton(*full, QDialogButtonBox::Cancel), Qt::LeftButton);
  });
  note.OpenFullEditor();
  EXPECT_FALSE(accepted);
  EXPECT_EQ(note.PlainText(), "unchanged");
}

TEST(FullEditor, PicturesTravelToTheFullEditorAndBack) {
  QImage picture(8, 6, QImage::Format_RGB32);
  picture.fill(Qt::red);
  const QString path = QDir::temp().filePath("paperwisp_full_editor_test.png");
  ASSERT_TRUE(picture.save(path));
  NoteEditor note;
  ShowAndType(&note, "x");
  ASSERT_TRUE(note.InsertImageFile(path));
  QFile::remove(path);

  FullEditor full(note);
  full.Editor()->selectAll();
  full.Editor()->ToggleBold();
  NoteEditor back;
  full.HandBackTo(&back);
  const QTextCharFormat format = FormatAt(back, 1);
  ASSERT_TRUE(format.isImageFormat());
  const QVariant image =
      back.document()->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
  EXPECT_EQ(image.value<QImage>().size(), QSize(8, 6));
}

TEST(FullEditor, IsNotOfferedInAReadOnlyView) {
  NoteEditor note;
  ShowAndType(&note, "view");
  note.setReadOnly(true);
  bool opened = false;
  QTimer guard;
  QObject::connect(&guard, &QTimer::timeout, [&opened] {
    if (auto* full = qobject_cast<FullEditor*>(QApplication::activeModalWidget())) {
      opened = true;
      full->reject();
    }
  });
  guard.start(0);
  QTest::keyClick(&note, Qt::Key_E, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace pw
