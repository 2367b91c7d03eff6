// The RTF the writer emits: ASCII only, tables of what the text uses, and
// the escapes other readers understand.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QTextCursor>
#include <QTextDocument>

#include "richtext/rtf_writer.h"

namespace pw {
namespace {

QByteArray WriteText(const QString& text, const QTextCharFormat& format = QTextCharFormat()) {
  QTextDocument document;
  QTextCursor(&document).insertText(text, format);
  return WriteRtf(document);
}

TEST(RtfWriter, EmitsAsciiWithWindows1252AndUnicodeEscapes) {
  QByteArray rtf = WriteText(QString::fromUtf8("€ä Ж😀{\\}"));
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
  EXPECT_TRUE(rtf.endsWith("}"));
  for (char byte : rtf) EXPECT_LT(static_cast<unsigned char>(byte), 0x80);
  EXPECT_TRUE(rtf.contains("\\'80\\'e4 \\u1046?\\u-10179?\\u-8704?\\{\\\\\\}")) << rtf.data();
}

TEST(RtfWriter, ListsOnlyTheFontsAndColoursTheTextUses) {
  QTextDocument document;
  document.setDefaultFont(QFont("Default Family", 11));
  QTextCursor cursor(&document);
  QTextCharFormat red;
  red.setFontFamilies({"First Family"});
  red.setForeground(QColor(255, 0, 0));
  cursor.insertText("a", red);
  QTextCharFormat marked;
  marked.setFontFamilies({"Second Family"});
  marked.setBackground(QColor(0, 0, 255));
  cursor.insertText("b", marked);
  cursor.insertText("c", red);
  QByteArray rtf = WriteRtf(document);
  EXPECT_TRUE(
      rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 First Family;}"
                   "{\\f1\\fnil\\fcharset0 Second Family;}}"))
      << rtf.data();
  EXPECT_TRUE(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"))
      << rtf.data();
  EXPECT_FALSE(rtf.contains("Default Family"));
  EXPECT_TRUE(rtf.contains("\\fs22\\cf1 a\\f1\\cf0\\highlight2 b\\f0\\cf1\\highlight0 c"))
      << rtf.data();
}

TEST(RtfWriter, NamesTheFamilyTheDefaultFontIsShownIn) {
  QTextDocument document;
  document.setDefaultFont(QFont("Sans Serif", 11));
  QTextCursor(&document).insertText("text");
  const QString shown = QFontInfo(document.defaultFont()).family();
  const QByteArray rtf = WriteRtf(document);
  EXPECT_TRUE(rtf.contains("{\\f0\\fnil\\fcharset0 " + shown.toLatin1() + ";}")) << rtf.data();
  // Where the generic name is a face of its own, it is the right name.
  EXPECT_TRUE(shown == "Sans Serif" || !rtf.contains("Sans Serif")) << rtf.data();
}

TEST(RtfWriter, WritesAParagraphMarkAfterEveryParagraph) {
  QByteArray rtf = WriteText("one\ntwo");
  EXPECT_EQ(2, rtf.count("\\par\n"));
  EXPECT_EQ(2, rtf.count("\\pard"));
}

}  // namespace
}  // namespace pw
