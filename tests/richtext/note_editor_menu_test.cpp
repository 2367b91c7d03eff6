// The note editor's context menu: its entries, their state, and what they do.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

#include "note_editor_test_support.h"

namespace pw {
namespace {

using test::FormatAt;
using test::SelectFromStart;
using test::ShowAndType;

QStringList EntryTexts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions()) {
    texts.append(action->isSeparator() ? QString("-") : action->text());
  }
  return texts;
}

QAction* Entry(const QMenu& menu, const QString& text) {
  for (QAction* action : menu.actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

TEST(NoteEditorMenu, OffersItsEntriesInOrder) {
  NoteEditor editor;
  std::unique_ptr<QMenu> menu(editor.CreateContextMenu(nullptr));
  EXPECT_EQ(EntryTexts(*menu),
            (QStringList{"&Edit...", "-", "Cu&t", "&Copy", "&Paste", "-", "&Bold", "&Italic",
                         "&Underline", "-", "&Font...", "Bu&llet", "P&aragraph...", "Tab&s...", "-",
                         "Fi&nd...", "&Replace...", "-", "Insert &Object..."}));
}

TEST(NoteEditorMenu, EntriesFollowTheSelectionAndItsFormat) {
  NoteEditor editor;
  ShowAndType(&editor, "hello world");
  SelectFromStart(&editor, 5);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  std::unique_ptr<QMenu> menu(editor.CreateContextMenu(nullptr));
  EXPECT_TRUE(Entry(*menu, "Cu&t")->isEnabled());
  EXPECT_TRUE(Entry(*menu, "&Bold")->isChecked());
  EXPECT_FALSE(Entry(*menu, "&Italic")->isChecked());

  QTest::keyClick(&editor, Qt::Key_End);
  std::unique_ptr<QMenu> unselected(editor.CreateContextMenu(nullptr));
  EXPECT_FALSE(Entry(*unselected, "Cu&t")->isEnabled());
  EXPECT_FALSE(Entry(*unselected, "&Copy")->isEnabled());
}

TEST(NoteEditorMenu, ReadOnlyViewOffersOnlyCopyAndFind) {
  NoteEditor editor;
  ShowAndType(&editor, "fixed text");
  editor.setReadOnly(true);
  editor.selectAll();
  std::unique_ptr<QMenu> menu(editor.CreateContextMenu(nullptr));
  QStringList enabled;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator() && action->isEnabled()) enabled.append(action->text());
  }
  EXPECT_EQ(enabled, (QStringList{"&Copy", "Fi&nd..."}));
}

TEST(NoteEditorMenu, BoldEntryClickedMakesTheSelectionBold) {
  NoteEditor editor;
  ShowAndType(&editor, "hello world");
  SelectFromStart(&editor, 5);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), editor.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(editor.viewport(), &event);
  auto* menu = editor.findChild<QMenu*>();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  QAction* bold = Entry(*menu, "&Bold");
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(bold).center());
  EXPECT_EQ(FormatAt(editor, 2).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(editor, 7).fontWeight(), QFont::Bold);
}

TEST(NoteEditorMenu, BulletEntryTogglesABulletedList) {
  NoteEditor editor;
  ShowAndType(&editor, "item");
  std::unique_ptr<QMenu> menu(editor.CreateContextMenu(nullptr));
  Entry(*menu, "Bu&llet")->trigger();
  EXPECT_TRUE(editor.InBulletList());
  Entry(*menu, "Bu&llet")->trigger();
  EXPECT_FALSE(editor.InBulletList());
  EXPECT_EQ(editor.PlainText(), "item");
}

}  // namespace
}  // namespace pw
