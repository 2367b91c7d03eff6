// Copying puts the selection on the clipboard as RTF, HTML and plain text;
// pasting RTF keeps its formatting.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "note_editor_test_support.h"

namespace pw {
namespace {

using test::FormatAt;
using test::SelectFromStart;
using test::ShowAndType;

TEST(NoteEditorClipboard, CtrlCCopiesTheSelectionAsRtfHtmlAndPlainText) {
  QGuiApplication::clipboard()->clear();
  NoteEditor editor;
  ShowAndType(&editor, "strong words");
  SelectFromStart(&editor, 6);
  QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
  QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), "strong");
  EXPECT_TRUE(data->hasHtml());
  EXPECT_TRUE(data->html().contains("strong"));
  for (const char* type : {"text/rtf", "application/rtf"}) {
    const QByteArray rtf = data->data(type);
    EXPECT_TRUE(rtf.startsWith("{\\rtf")) << type;
    EXPECT_TRUE(rtf.contains("strong")) << type;
    EXPECT_FALSE(rtf.contains("words")) << type;
  }
}

TEST(NoteEditorClipboard, PastedRtfKeepsItsFormatting) {
  NoteEditor source;
  ShowAndType(&source, "bold plain");
  SelectFromStart(&source, 4);
  QTest::keyClick(&source, Qt::Key_B, Qt::ControlModifier);
  source.selectAll();
  source.copy();

  // Only the RTF is offered, so the paste cannot have come from the HTML.
  auto* rtfOnly = new QMimeData;
  rtfOnly->setData("text/rtf", QGuiApplication::clipboard()->mimeData()->data("text/rtf"));
  QGuiApplication::clipboard()->setMimeData(rtfOnly);

  NoteEditor target;
  ShowAndType(&target, "");
  QTest::keyClick(&target, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(target.PlainText(), "bold plain");
  EXPECT_EQ(FormatAt(target, 1).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(target, 7).fontWeight(), QFont::Bold);
}

TEST(NoteEditorClipboard, ReadOnlyViewDoesNotPaste) {
  auto* data = new QMimeData;
  data->setText("intruder");
  QGuiApplication::clipboard()->setMimeData(data);
  NoteEditor editor;
  ShowAndType(&editor, "mine");
  editor.setReadOnly(true);
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor.PlainText(), "mine");
}

}  // namespace
}  // namespace pw
