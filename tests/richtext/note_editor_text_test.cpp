// The note editor's text: loading and saving RTF through streams, plain
// text, and finding and replacing.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTextBlock>

#include "note_editor_test_support.h"

namespace pw {
namespace {

using test::FormatAt;
using test::SelectFromStart;
using test::ShowAndType;

TEST(NoteEditorColour, PlainTextStaysReadableOnTheNoteUnderADarkDesktopPalette) {
  NoteEditor editor;
  QPalette dark = editor.palette();
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::Base, Qt::black);
  editor.setPalette(dark);
  editor.SetBackgroundColor(QColor(255, 255, 153));
  EXPECT_EQ(editor.palette().color(QPalette::Text), QColor(Qt::black));
  editor.SetBackgroundColor(QColor(0, 0, 128));
  EXPECT_EQ(editor.palette().color(QPalette::Text), QColor(Qt::white));
}

TEST(NoteEditorStream, SavedTextLoadsBackWithItsFormatting) {
  NoteEditor source;
  ShowAndType(&source, "bold and plain");
  SelectFromStart(&source, 4);
  QTest::keyClick(&source, Qt::Key_B, Qt::ControlModifier);
  QByteArray stored;
  QBuffer out(&stored);
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  ASSERT_TRUE(source.SaveToStream(&out));
  out.close();
  EXPECT_TRUE(stored.startsWith("{\\rtf"));

  NoteEditor loaded;
  QBuffer in(&stored);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  ASSERT_TRUE(loaded.LoadFromStream(&in));
  EXPECT_EQ(loaded.PlainText(), "bold and plain");
  EXPECT_EQ(FormatAt(loaded, 1).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(loaded, 6).fontWeight(), QFont::Bold);
}

TEST(NoteEditorStream, LoadingStartsAFreshUndoHistoryAtTheTop) {
  NoteEditor editor;
  ShowAndType(&editor, "old text");
  QByteArray stored("{\\rtf1\\ansi new text}");
  QBuffer in(&stored);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  ASSERT_TRUE(editor.LoadFromStream(&in));
  EXPECT_EQ(editor.PlainText(), "new text");
  EXPECT_FALSE(editor.document()->isUndoAvailable());
  EXPECT_FALSE(editor.document()->isModified());
  EXPECT_EQ(editor.textCursor().position(), 0);
}

TEST(NoteEditorStream, EmptyStreamGivesAnEmptyNote) {
  NoteEditor editor;
  editor.setPlainText("something");
  QByteArray nothing;
  QBuffer in(&nothing);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  EXPECT_TRUE(editor.LoadFromStream(&in));
  EXPECT_TRUE(editor.PlainText().isEmpty());
}

TEST(NoteEditorStream, UnreadableOrUnwritableStreamIsReported) {
  NoteEditor editor;
  editor.setPlainText("kept");
  QBuffer closed;
  EXPECT_FALSE(editor.LoadFromStream(&closed));
  EXPECT_FALSE(editor.LoadFromStream(nullptr));
  EXPECT_EQ(editor.PlainText(), "kept");

  QByteArray bytes;
  QBuffer readOnly(&bytes);
  ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
  EXPECT_FALSE(editor.SaveToStream(&readOnly));
  EXPECT_FALSE(editor.SaveToStream(nullptr));
}

TEST(NoteEditorText, PlainTextSeparatesParagraphsWithNewlines) {
  NoteEditor editor;
  ShowAndType(&editor, "one");
  QTest::keyClick(&editor, Qt::Key_Return);
  QTest::keyClicks(&editor, "two");
  EXPECT_EQ(editor.PlainText(), "one\ntwo");
}

TEST(NoteEditorFind, FindFirstMatchesCase) {
  NoteEditor editor;
  editor.setPlainText("Date: <date> <DATE> <DATE>");
  EXPECT_EQ(editor.FindFirst("<DATE>"), 13);
  EXPECT_EQ(editor.FindFirst("<date>"), 6);
  EXPECT_EQ(editor.FindFirst("<Date>"), -1);
  EXPECT_EQ(editor.FindFirst(""), -1);
}

TEST(NoteEditorFind, ReplaceFirstReplacesOnlyTheFirstExactOccurrence) {
  NoteEditor editor;
  editor.setPlainText("<time> <TIME> x <TIME>");
  EXPECT_TRUE(editor.ReplaceFirst("<TIME>", "10:15"));
  EXPECT_EQ(editor.PlainText(), "<time> 10:15 x <TIME>");
  EXPECT_TRUE(editor.ReplaceFirst("<TIME>", ""));
  EXPECT_EQ(editor.PlainText(), "<time> 10:15 x ");
  EXPECT_FALSE(editor.ReplaceFirst("<TIME>", "again"));
  EXPECT_EQ(editor.PlainText(), "<time> 10:15 x ");
}

TEST(NoteEditorFind, ReplacementTakesTheFormatOfTheReplacedText) {
  NoteEditor editor;
  ShowAndType(&editor, "<C> rest");
  SelectFromStart(&editor, 3);
  QTest::keyClick(&editor, Qt::Key_I, Qt::ControlModifier);
  ASSERT_TRUE(editor.ReplaceFirst("<C>", "Now"));
  EXPECT_TRUE(FormatAt(editor, 0).fontItalic());
  EXPECT_TRUE(FormatAt(editor, 2).fontItalic());
  EXPECT_FALSE(FormatAt(editor, 4).fontItalic());
}

TEST(NoteEditorFind, ReplaceFirstLeavesTheCaretInItsText) {
  NoteEditor editor;
  editor.setPlainText("ab <X> cd");
  QTextCursor caret = editor.textCursor();
  caret.setPosition(8);
  editor.setTextCursor(caret);
  ASSERT_TRUE(editor.ReplaceFirst("<X>", ""));
  EXPECT_EQ(editor.textCursor().position(), 5);
  EXPECT_FALSE(editor.textCursor().hasSelection());
}

TEST(NoteEditorFind, FindNextSelectsTheNextOccurrenceAndWrapsAround) {
  NoteEditor editor;
  editor.setPlainText("cat dog cat");
  editor.moveCursor(QTextCursor::Start);
  ASSERT_TRUE(editor.FindNext("cat", {}));
  EXPECT_EQ(editor.textCursor().selectionStart(), 0);
  ASSERT_TRUE(editor.FindNext("cat", {}));
  EXPECT_EQ(editor.textCursor().selectionStart(), 8);
  ASSERT_TRUE(editor.FindNext("cat", {}));
  EXPECT_EQ(editor.textCursor().selectionStart(), 0);
  EXPECT_FALSE(editor.FindNext("bird", {}));
  EXPECT_FALSE(editor.FindNext("CAT", QTextDocument::FindCaseSensitively));
}

TEST(NoteEditorFind, ReplaceNextReplacesTheSelectedOccurrenceThenSelectsTheNext) {
  NoteEditor editor;
  editor.setPlainText("cat dog cat");
  editor.moveCursor(QTextCursor::Start);
  ASSERT_TRUE(editor.ReplaceNext("cat", "cow", {}));  // only selects the first
  EXPECT_EQ(editor.PlainText(), "cat dog cat");
  ASSERT_TRUE(editor.ReplaceNext("cat", "cow", {}));
  EXPECT_EQ(editor.PlainText(), "cow dog cat");
  EXPECT_EQ(editor.textCursor().selectionStart(), 8);
}

TEST(NoteEditorFind, ReplaceAllIsOneUndoStep) {
  NoteEditor editor;
  editor.setPlainText("a-a-A");
  EXPECT_EQ(editor.ReplaceAll("a", "bb", QTextDocument::FindCaseSensitively), 2);
  EXPECT_EQ(editor.PlainText(), "bb-bb-A");
  editor.undo();
  EXPECT_EQ(editor.PlainText(), "a-a-A");
  EXPECT_EQ(editor.ReplaceAll("a", "a", {}), 3);
}

}  // namespace
}  // namespace pw
