// The paragraph, tabs, find and replace dialogs, driven with keys and clicks.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>

#include "note_editor_test_support.h"
#include "richtext/find_dialog.h"
#include "richtext/paragraph_dialog.h"
#include "richtext/replace_dialog.h"
#include "richtext/tabs_dialog.h"

namespace pw {
namespace {

QPushButton* Button(const QWidget& dialog, const QString& text) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

void ClickOk(QDialog* dialog) {
  auto* box = dialog->findChild<QDialogButtonBox*>();
  QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

void Retype(QWidget* field, const QString& text) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, text);
}

TEST(EditorDialogParagraph, ReportsWhatTheUserEntered) {
  ParagraphDialog dialog;
  dialog.SetSettings({Qt::AlignRight, 10, 20, -5});
  EXPECT_EQ(dialog.Settings().alignment, Qt::AlignRight);
  EXPECT_EQ(dialog.Settings().firstLineIndent, -5);
  dialog.show();
  const QList<QDoubleSpinBox*> fields = dialog.findChildren<QDoubleSpinBox*>();
  ASSERT_EQ(fields.size(), 3);
  Retype(fields[0], "30");
  ClickOk(&dialog);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const ParagraphSettings settings = dialog.Settings();
  EXPECT_EQ(settings.leftIndent, 30);
  EXPECT_EQ(settings.rightIndent, 20);
  EXPECT_EQ(settings.alignment, Qt::AlignRight);
}

TEST(EditorDialogParagraph, SettingsApplyToTheSelectedParagraphsOnly) {
  NoteEditor editor;
  editor.setPlainText("first\nsecond\nthird");
  QTextCursor cursor(editor.document());
  cursor.setPosition(2);
  cursor.setPosition(8, QTextCursor::KeepAnchor);
  editor.setTextCursor(cursor);
  editor.ApplyParagraph({Qt::AlignHCenter, 12, 4, 6});
  const QTextBlockFormat second = editor.document()->findBlockByNumber(1).blockFormat();
  EXPECT_EQ(second.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(second.leftMargin(), 12);
  EXPECT_EQ(second.rightMargin(), 4);
  EXPECT_EQ(second.textIndent(), 6);
  EXPECT_EQ(editor.document()->findBlockByNumber(0).blockFormat().leftMargin(), 12);
  EXPECT_EQ(editor.document()->findBlockByNumber(2).blockFormat().leftMargin(), 0);
  EXPECT_EQ(editor.CurrentParagraph().leftIndent, 12);
}

TEST(EditorDialogTabs, SetClearAndClearAllEditTheSortedStops) {
  TabsDialog dialog;
  dialog.SetTabStops({80, 40, 80});
  EXPECT_EQ(dialog.TabStops(), (QList<qreal>{40, 80}));
  dialog.show();
  auto* position = dialog.findChild<QDoubleSpinBox*>();
  Retype(position, "60");
  QTest::mouseClick(Button(dialog, "&Set"), Qt::LeftButton);
  EXPECT_EQ(dialog.TabStops(), (QList<qreal>{40, 60, 80}));

  auto* list = dialog.findChild<QListWidget*>();
  list->setCurrentRow(0);
  QTest::mouseClick(Button(dialog, "&Clear"), Qt::LeftButton);
  EXPECT_EQ(dialog.TabStops(), (QList<qreal>{60, 80}));
  QTest::mouseClick(Button(dialog, "Clear &All"), Qt::LeftButton);
  EXPECT_TRUE(dialog.TabStops().isEmpty());
  EXPECT_FALSE(Button(dialog, "Clear &All")->isEnabled());
}

TEST(EditorDialogTabs, StopsApplyToTheParagraph) {
  NoteEditor editor;
  editor.setPlainText("a\tb");
  editor.ApplyTabStops({30, 90});
  EXPECT_EQ(editor.CurrentTabStops(), (QList<qreal>{30, 90}));
  editor.ApplyTabStops({});
  EXPECT_TRUE(editor.CurrentTabStops().isEmpty());
}

TEST(EditorDialogFind, FindNextSelectsOccurrencesAndReportsAMiss) {
  NoteEditor editor;
  test::ShowAndType(&editor, "Apple apple APPLE");
  editor.moveCursor(QTextCursor::Start);
  editor.ShowFindDialog();
  auto* dialog = editor.findChild<FindDialog*>();
  ASSERT_NE(dialog, nullptr);
  QPushButton* findNext = Button(*dialog, "&Find Next");
  EXPECT_FALSE(findNext->isEnabled());
  Retype(dialog->findChild<QLineEdit*>(), "apple");
  QTest::mouseClick(findNext, Qt::LeftButton);
  EXPECT_EQ(editor.textCursor().selectionStart(), 0);
  QTest::mouseClick(findNext, Qt::LeftButton);
  EXPECT_EQ(editor.textCursor().selectionStart(), 6);

  Retype(dialog->findChild<QLineEdit*>(), "pear");
  QTest::mouseClick(findNext, Qt::LeftButton);
  bool reported = false;
  for (const QLabel* label : dialog->findChildren<QLabel*>()) {
    reported = reported || label->text() == "Cannot find \"pear\".";
  }
  EXPECT_TRUE(reported);
}

TEST(EditorDialogReplace, ReplaceAndReplaceAllEditTheNote) {
  NoteEditor editor;
  test::ShowAndType(&editor, "one two one two");
  editor.moveCursor(QTextCursor::Start);
  editor.ShowReplaceDialog();
  auto* dialog = editor.findChild<ReplaceDialog*>();
  ASSERT_NE(dialog, nullptr);
  const QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
  ASSERT_EQ(fields.size(), 2);
  Retype(fields[0], "two");
  Retype(fields[1], "2");
  QTest::mouseClick(Button(*dialog, "&Replace"), Qt::LeftButton);
  QTest::mouseClick(Button(*dialog, "&Replace"), Qt::LeftButton);
  EXPECT_EQ(editor.PlainText(), "one 2 one two");

  Retype(fields[0], "one");
  Retype(fields[1], "1");
  QTest::mouseClick(Button(*dialog, "Replace &All"), Qt::LeftButton);
  EXPECT_EQ(editor.PlainText(), "1 2 1 two");
}

}  // namespace
}  // namespace pw
