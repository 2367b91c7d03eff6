// Reading RTF: character and paragraph properties, code pages, Unicode,
// skipped destinations, lists, plain text and damaged input.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "richtext/rtf_reader.h"

namespace pw {
namespace {

QString Read(const QByteArray& rtf) {
  QTextDocument document;
  EXPECT_TRUE(ReadRtf(rtf, &document));
  // toPlainText() would turn no-break spaces into spaces.
  return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

QTextCharFormat FormatOf(const QTextDocument& document, const QString& word) {
  QTextCursor cursor = document.find(word);
  EXPECT_FALSE(cursor.isNull()) << word.toStdString();
  return cursor.charFormat();
}

TEST(RtfReaderCharacters, ReadsTogglesSizesFontsAndColours) {
  QTextDocument document;
  ASSERT_TRUE(ReadRtf(
      "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
      "plain \\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\strike gone\\strike0  "
      "\\f0\\fs40 big\\plain  \\cf1 red\\cf0  \\highlight2 marked\\highlight0  \\cb1 shaded}",
      &document));
  EXPECT_EQ("plain bold italic under gone big red marked shaded", document.toPlainText());
  EXPECT_EQ(QFont::Normal, FormatOf(document, "plain").fontWeight());
  EXPECT_EQ("Times New Roman", FormatOf(document, "plain").fontFamilies().toStringList().value(0));
  EXPECT_EQ(12.0, FormatOf(document, "plain").fontPointSize());
  EXPECT_EQ(QFont::Bold, FormatOf(document, "bold").fontWeight());
  EXPECT_TRUE(FormatOf(document, "italic").fontItalic());
  EXPECT_TRUE(FormatOf(document, "under").fontUnderline());
  EXPECT_FALSE(FormatOf(document, "gone").fontUnderline());
  EXPECT_TRUE(FormatOf(document, "gone").fontStrikeOut());
  EXPECT_EQ(20.0, FormatOf(document, "big").fontPointSize());
  EXPECT_EQ("Arial", FormatOf(document, "big").fontFamilies().toStringList().value(0));
  EXPECT_EQ(QColor(255, 0, 0), FormatOf(document, "red").foreground().color());
  EXPECT_FALSE(FormatOf(document, "marked").hasProperty(QTextFormat::ForegroundBrush));
  EXPECT_EQ(QColor(0, 128, 0), FormatOf(document, "marked").background().color());
  EXPECT_EQ(QColor(255, 0, 0), FormatOf(document, "shaded").background().color());
}

TEST(RtfReaderCharacters, GroupsRestoreTheOuterFormat) {
  QTextDocument document;
  ASSERT_TRUE(ReadRtf("{\\rtf1 {\\b inner} outer}", &document));
  EXPECT_EQ(QFont::Bold, FormatOf(document, "inner").fontWeight());
  EXPECT_EQ(QFont::Normal, FormatOf(document, "outer").fontWeight());
}

TEST(RtfReaderParagraphs, ReadsAlignmentIndentsSpacingBreaksAndTabs) {
  QTextDocument document;
  ASSERT_TRUE(ReadRtf(
      "{\\rtf1\\pard\\qc centered\\par\\pard\\qr\\li300\\ri150\\fi-75\\sb60\\sa90 right\\par"
      "\\pard\\qj a\\tab b\\line c\\par\\pard left}",
      &document));
  ASSERT_EQ(4, document.blockCount());
  EXPECT_EQ(Qt::AlignHCenter, document.findBlockByNumber(0).blockFormat().alignment());
  QTextBlockFormat right = document.findBlockByNumber(1).blockFormat();
  EXPECT_EQ(Qt::AlignRight, right.alignment());
  EXPECT_EQ(20.0, right.leftMargin());
  EXPECT_EQ(10.0, right.rightMargin());
  EXPECT_EQ(-5.0, right.textIndent());
  EXPECT_EQ(4.0, right.topMargin());
  EXPECT_EQ(6.0, right.bottomMargin());
  EXPECT_EQ(Qt::AlignJustify, document.findBlockByNumber(2).blockFormat().alignment());
  EXPECT_EQ(QString("a\tb") + QChar(QChar::LineSeparator) + "c",
            document.findBlockByNumber(2).text());
  EXPECT_EQ(Qt::AlignLeft, document.findBlockByNumber(3).blockFormat().alignment());
  EXPECT_EQ(0.0, document.findBlockByNumber(3).blockFormat().leftMargin());
}

TEST(RtfReaderParagraphs, TheClosingParagraphMarkLeavesNoEmptyParagraph) {
  EXPECT_EQ("one\ntwo", Read("{\\rtf1 one\\par two\\par\r\n}"));
  EXPECT_EQ("one\n", Read("{\\rtf1 one\\par\\par}"));
}

TEST(RtfReaderLists, ReadsOldStyleBulletsAndNumbers) {
  QTextDocument document;
  ASSERT_TRUE(
      ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
              "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
              "\\fi-360\\li720 apple\\par{\\pntext\\f1\\'b7\\tab}pear\\par"
              "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pnlcrm\\pnstart1{\\pntxta .}}"
              "\\fi-360\\li720 first\\par\\pard after}",
              &document));
  EXPECT_EQ("apple\npear\nfirst\nafter", document.toPlainText());
  QTextList* bullets = document.findBlockByNumber(0).textList();
  ASSERT_NE(nullptr, bullets);
  EXPECT_EQ(QTextListFormat::ListDisc, bullets->format().style());
  EXPECT_EQ(bullets, document.findBlockByNumber(1).textList());
  EXPECT_EQ(0.0, document.findBlockByNumber(0).blockFormat().leftMargin());
  EXPECT_EQ(0.0, document.findBlockByNumber(0).blockFormat().textIndent());
  QTextList* numbers = document.findBlockByNumber(2).textList();
  ASSERT_NE(nullptr, numbers);
  EXPECT_EQ(QTextListFormat::ListLowerRoman, numbers->format().style());
  EXPECT_EQ(nullptr, document.findBlockByNumber(3).textList());
}

TEST(RtfReaderLists, ReadsListTextMarkersWithNestedLevels) {
  QTextDocument document;
  ASSERT_TRUE(ReadRtf(
      "{\\rtf1{\\*\\listtable{\\list\\listid1{\\listlevel\\levelnfc0}}}"
      "{\\listtext\\pard\\plain 1.\\tab}\\pard\\ls1\\ilvl0\\fi-360\\li720 one\\par"
      "{\\listtext\\pard\\plain \\u8226\\'95\\tab}\\pard\\ls2\\ilvl1\\fi-360\\li1440 sub\\par"
      "{\\listtext\\pard\\plain 2.\\tab}\\pard\\ls1\\ilvl0\\fi-360\\li720 two\\par}",
      &document));
  EXPECT_EQ("one\nsub\ntwo", document.toPlainText());
  QTextList* outer = document.findBlockByNumber(0).textList();
  ASSERT_NE(nullptr, outer);
  EXPECT_EQ(QTextListFormat::ListDecimal, outer->format().style());
  EXPECT_EQ(outer, document.findBlockByNumber(2).textList());
  EXPECT_EQ("2.", outer->itemText(document.findBlockByNumber(2)));
  QTextList* inner = document.findBlockByNumber(1).textList();
  ASSERT_NE(nullptr, inner);
  EXPECT_EQ(QTextListFormat::ListDisc, inner->format().style());
  EXPECT_EQ(2, inner->format().indent());
}

TEST(RtfReaderText, DecodesHexEscapesInTheDocumentCodePage) {
  EXPECT_EQ(QString::fromUtf8("€ ä"), Read("{\\rtf1\\ansi \\'80 \\'e4}"));
  EXPECT_EQ(QString::fromUtf8("Жук"), Read("{\\rtf1\\ansi\\ansicpg1251 \\'c6\\'f3\\'ea}"));
  EXPECT_EQ(QString::fromUtf8("Łódź"), Read("{\\rtf1\\ansi\\ansicpg1250 \\'a3\\'f3d\\'9f}"));
  EXPECT_EQ(QString::fromUtf8("Grüße"), Read("{\\rtf1\\pca Gr\\'81\\'e1e}"));
  EXPECT_EQ(QString::fromUtf8("é╬"), Read("{\\rtf1\\pc \\'82\\'ce}"));
  EXPECT_EQ(QString::fromUtf8("é╬"), Read("{\\rtf1\\ansi\\ansicpg437 \\'82\\'ce}"));
}

TEST(RtfReaderText, DecodesHexEscapesInTheCodePageOfTheFontCharset) {
  EXPECT_EQ(QString::fromUtf8("aЖ"),
            Read("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}"
                 "a{\\f1 \\'c6}}"));
}

TEST(RtfReaderText, ReadsUnicodeEscapesAndSkipsTheirFallback) {
  EXPECT_EQ(QString::fromUtf8("€ x漢"), Read("{\\rtf1 \\u8364? x\\u28450\\'3f}"));
  EXPECT_EQ(QString::fromUtf8("漢ab"), Read("{\\rtf1\\uc2\\u28450\\'8a\\'bfab}"));
  EXPECT_EQ(QString::fromUtf8("漢?"), Read("{\\rtf1\\uc0\\u28450?}"));
  EXPECT_EQ(QString::fromUtf8("😀"), Read("{\\rtf1\\u-10179?\\u-8704?}"));
  EXPECT_EQ(QString::fromUtf8("Ж{x}Ж?"), Read("{\\rtf1{\\uc2\\u1046??}\\{x\\}\\u1046??}"));
}

TEST(RtfReaderText, ReadsSymbolsAndSpecialCharacters) {
  EXPECT_EQ(QString::fromUtf8("a\u00A0b\u2014c\u2013d\u2022e\u201Cf\u201D\\"),
            Read("{\\rtf1 a\\~b\\emdash c\\endash d\\bullet e\\ldblquote f\\rdblquote\\\\}"));
}

TEST(RtfReaderDestinations, SkipsIgnorableAndUnsupportedDestinations) {
  EXPECT_EQ("visible",
            Read("{\\rtf1{\\info{\\title Secret}}{\\stylesheet{\\s0 Normal;}}"
                 "{\\*\\generator Other 1.0;}{\\*\\unknowndest hidden}"
                 "{\\pict\\pngblip 89504e47}{\\*\\shppict{\\pict 00}}vis\\madeupword ible}"));
  EXPECT_EQ("ab", Read("{\\rtf1 a\\bin3 {}\\b}b}"));
}

TEST(RtfReaderPlainText, LoadsTextThatIsNotRtfAsPlainText) {
  EXPECT_EQ(QString::fromUtf8("line one\nÄ {\\b not rtf}"),
            Read(QString::fromUtf8("line one\nÄ {\\b not rtf}").toUtf8()));
  EXPECT_EQ(QString::fromUtf8("caf\u00e9"), Read("caf\xe9"));
}

TEST(RtfReaderDamagedInput, ReadsUnbalancedInputAsFarAsItGoes) {
  EXPECT_EQ("cut off", Read("{\\rtf1{\\b cut off"));
  EXPECT_EQ("one", Read("{\\rtf1 one}} trailing {\\b two}"));
  EXPECT_EQ("azzb4", Read("{\\rtf1 a\\'zzb\\'4"));
}

TEST(RtfReaderDamagedInput, ReportsFailureOnlyWhenNothingCouldBeRead) {
  QTextDocument document;
  EXPECT_FALSE(ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}", &document));
  EXPECT_TRUE(ReadRtf("{\\rtf1}", &document));
  EXPECT_FALSE(ReadRtf("{\\rtf1 x}", nullptr));
}

TEST(RtfReaderDamagedInput, SurvivesDeepNesting) {
  QByteArray rtf = "{\\rtf1 start ";
  rtf += QByteArray(100000, '{') + "\\b deep" + QByteArray(100000, '}');
  rtf += " end}";
  EXPECT_EQ("start deep end", Read(rtf));
}

}  // namespace
}  // namespace pw
