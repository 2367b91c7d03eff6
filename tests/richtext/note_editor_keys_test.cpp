// Formatting keys of the note editor pressed on a selection, and undo.
#include <gtest/gtest.h>

#include "note_editor_test_support.h"

namespace pw {
namespace {

using test::FormatAt;
using test::SelectFromStart;
using test::ShowAndType;

TEST(NoteEditorKeys, CtrlBMakesTheSelectionBoldAndCtrlZUndoesIt) {
  NoteEditor editor;
  ShowAndType(&editor, "hello world");
  SelectFromStart(&editor, 5);

  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(FormatAt(editor, 0).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(editor, 4).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(editor, 6).fontWeight(), QFont::Bold);

  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(FormatAt(editor, 0).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(editor, 4).fontWeight(), QFont::Bold);
  EXPECT_EQ(editor.PlainText(), "hello world");
}

TEST(NoteEditorKeys, CtrlBOnAnAllBoldSelectionMakesItNormal) {
  NoteEditor editor;
  ShowAndType(&editor, "hello world");
  SelectFromStart(&editor, 5);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  EXPECT_NE(FormatAt(editor, 2).fontWeight(), QFont::Bold);
}

TEST(NoteEditorKeys, CtrlBOnAPartlyBoldSelectionMakesAllOfItBold) {
  NoteEditor editor;
  ShowAndType(&editor, "hello world");
  SelectFromStart(&editor, 2);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  SelectFromStart(&editor, 8);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  for (int position : {0, 3, 7}) EXPECT_EQ(FormatAt(editor, position).fontWeight(), QFont::Bold);
}

TEST(NoteEditorKeys, CtrlIAndCtrlJBothToggleItalic) {
  NoteEditor editor;
  ShowAndType(&editor, "slanted text");
  SelectFromStart(&editor, 7);
  QTest::keyClick(&editor, Qt::Key_I, Qt::ControlModifier);
  EXPECT_TRUE(FormatAt(editor, 3).fontItalic());
  QTest::keyClick(&editor, Qt::Key_J, Qt::ControlModifier);
  EXPECT_FALSE(FormatAt(editor, 3).fontItalic());
  QTest::keyClick(&editor, Qt::Key_J, Qt::ControlModifier);
  EXPECT_TRUE(FormatAt(editor, 3).fontItalic());
  EXPECT_FALSE(FormatAt(editor, 9).fontItalic());
}

TEST(NoteEditorKeys, CtrlUTogglesUnderline) {
  NoteEditor editor;
  ShowAndType(&editor, "marked text");
  SelectFromStart(&editor, 6);
  QTest::keyClick(&editor, Qt::Key_U, Qt::ControlModifier);
  EXPECT_TRUE(FormatAt(editor, 0).fontUnderline());
  EXPECT_FALSE(FormatAt(editor, 8).fontUnderline());
  QTest::keyClick(&editor, Qt::Key_U, Qt::ControlModifier);
  EXPECT_FALSE(FormatAt(editor, 0).fontUnderline());
}

TEST(NoteEditorKeys, FormatKeysWithShiftHeldDoNothing) {
  NoteEditor editor;
  ShowAndType(&editor, "hello");
  SelectFromStart(&editor, 5);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(&editor, Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(editor.PlainText(), "hello");
  EXPECT_NE(FormatAt(editor, 1).fontWeight(), QFont::Bold);
  EXPECT_FALSE(FormatAt(editor, 1).fontUnderline());
}

TEST(NoteEditorKeys, BoldWithoutSelectionAppliesToWhatIsTypedNext) {
  NoteEditor editor;
  ShowAndType(&editor, "a");
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClicks(&editor, "b");
  EXPECT_NE(FormatAt(editor, 0).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(editor, 1).fontWeight(), QFont::Bold);
}

TEST(NoteEditorKeys, ReadOnlyViewIgnoresFormatKeys) {
  NoteEditor editor;
  ShowAndType(&editor, "fixed");
  editor.setReadOnly(true);
  editor.selectAll();
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  EXPECT_NE(FormatAt(editor, 1).fontWeight(), QFont::Bold);
}

}  // namespace
}  // namespace pw
