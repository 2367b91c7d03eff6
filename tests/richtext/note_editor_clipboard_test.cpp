// Copying puts the selection on the clipboard as RTF, HTML and plain text;
// pasting RTF keeps its formatting.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextBlock>

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

TEST(NoteEditorClipboard, PastedParagraphsKeepTheirSpacing) {
  auto* data = new QMimeData;
  data->setData("text/rtf", "{\\rtf1\\pard\\sa300 first\\par\\pard\\sa600 second\\par}");
  QGuiApplication::clipboard()->setMimeData(data);
  NoteEditor editor;
  ShowAndType(&editor, "typed");
  QTest::keyClick(&editor, Qt::Key_Return);
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(editor.PlainText(), "typed\nfirst\nsecond");
  const QTextDocument& document = *editor.document();
  EXPECT_EQ(document.findBlockByNumber(0).blockFormat().bottomMargin(), 0.0);
  EXPECT_EQ(document.findBlockByNumber(1).blockFormat().bottomMargin(), 20.0);  // 300 twips
  EXPECT_EQ(document.findBlockByNumber(2).blockFormat().bottomMargin(), 40.0);
  // One paste is one undo step.
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor.PlainText(), "typed\n");
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
