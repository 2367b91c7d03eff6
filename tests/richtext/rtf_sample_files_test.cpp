// RTF files written by other programs, kept under tests/data/rtf/ (its
// README says how each was made): made by a word processor in headless mode
// from HTML, and small files in the layout rich-text controls write for the
// older code pages.
#include <gtest/gtest.h>

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "rtf_document_summary.h"

namespace pw {
namespace {

void ReadSample(const char* name, QTextDocument* document) {
  QFile file(QStringLiteral(PAPERWISP_TEST_DATA "/rtf/") + name);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
  ASSERT_TRUE(ReadRtf(file.readAll(), document)) << name;
}

QTextCharFormat FormatOf(const QTextDocument& document, const QString& word) {
  QTextCursor cursor = document.find(word);
  EXPECT_FALSE(cursor.isNull()) << word.toStdString();
  return cursor.charFormat();
}

TEST(RtfSampleFiles, WordProcessorFormatsKeepTextFontsColoursAndAlignment) {
  QTextDocument document;
  ReadSample("libreoffice_formats.rtf", &document);
  EXPECT_EQ(QString::fromUtf8("Plain bold italic underline strike end.\nRed and marked\n"
                              "Right € ä Ж 漢字"),
            document.toPlainText());
  EXPECT_EQ(QFont::Bold, FormatOf(document, "bold").fontWeight());
  EXPECT_TRUE(FormatOf(document, "italic").fontItalic());
  EXPECT_TRUE(FormatOf(document, "underline").fontUnderline());
  EXPECT_TRUE(FormatOf(document, "strike").fontStrikeOut());
  EXPECT_EQ("Liberation Serif", FormatOf(document, "Plain").fontFamilies().toStringList().value(0));
  EXPECT_EQ(16.0, FormatOf(document, "Red").fontPointSize());
  EXPECT_EQ(QColor(255, 0, 0), FormatOf(document, "Red").foreground().color());
  EXPECT_EQ(QColor(255, 255, 0), FormatOf(document, "marked").background().color());
  EXPECT_EQ(Qt::AlignHCenter, document.findBlockByNumber(1).blockFormat().alignment());
  EXPECT_EQ(Qt::AlignRight, document.findBlockByNumber(2).blockFormat().alignment());
  EXPECT_EQ(10.0, FormatOf(document, "Right").fontPointSize());
}

TEST(RtfSampleFiles, WordProcessorListsBecomeBulletAndNumberLists) {
  QTextDocument document;
  ReadSample("libreoffice_lists.rtf", &document);
  EXPECT_EQ("Intro\nFirst bullet\nSecond bullet\nOne\nTwo\nThree\nOutro", document.toPlainText());
  EXPECT_EQ(nullptr, document.findBlockByNumber(0).textList());
  QTextList* bullets = document.findBlockByNumber(1).textList();
  ASSERT_NE(nullptr, bullets);
  EXPECT_EQ(QTextListFormat::ListDisc, bullets->format().style());
  EXPECT_EQ(2, bullets->count());
  QTextList* numbers = document.findBlockByNumber(3).textList();
  ASSERT_NE(nullptr, numbers);
  EXPECT_EQ(QTextListFormat::ListDecimal, numbers->format().style());
  EXPECT_EQ("3.", numbers->itemText(document.findBlockByNumber(5)));
  EXPECT_EQ(nullptr, document.findBlockByNumber(6).textList());
}

TEST(RtfSampleFiles, WordProcessorNestedListsAndLinksKeepEveryLevelAndTarget) {
  QTextDocument document;
  ReadSample("libreoffice_nested_lists_links.rtf", &document);
  const std::string lists =
      "Links: framed, bookmark, Anna, www.example.net.\n"
      "Disc: -1/1 .\n"
      "Circle: -2/2 .\n"
      "Square: -3/3 .\n"
      "Disc again: -1/1 .\n"
      "Decimal: -4/1 1.\n"
      "Upper letter: -6/2 A.\n"
      "Upper roman: -8/3 I.\n"
      "Upper letter two: -6/2 B.\n"
      "Decimal two: -4/1 2.\n"
      "End\n";
  // The target frame (\\t "_blank") means nothing to a note.
  const std::string links =
      "framed -> https://example.com/a?b=1\n"
      "bookmark -> #part2\n"
      "Anna -> mailto:anna@example.org";
  EXPECT_EQ(lists, test::ListSummary(document));
  EXPECT_EQ(links, test::LinkSummary(document));
  EXPECT_EQ(document.findBlockByNumber(1).textList(), document.findBlockByNumber(4).textList());

  QTextDocument again;
  ASSERT_TRUE(ReadRtf(WriteRtf(document), &again));
  EXPECT_EQ(lists, test::ListSummary(again));
  EXPECT_EQ(links, test::LinkSummary(again));
}

TEST(RtfSampleFiles, WindowsCodePagesOfRichTextControls) {
  QTextDocument cyrillic;
  ReadSample("handwritten_cp1251.rtf", &cyrillic);
  EXPECT_EQ(QString::fromUtf8("Привет мир"), cyrillic.toPlainText());
  EXPECT_EQ(QFont::Bold, FormatOf(cyrillic, QString::fromUtf8("мир")).fontWeight());
  EXPECT_EQ(QColor(0, 0, 255), FormatOf(cyrillic, QString::fromUtf8("мир")).foreground().color());
  EXPECT_EQ(10.0, FormatOf(cyrillic, QString::fromUtf8("Привет")).fontPointSize());

  QTextDocument czech;
  ReadSample("handwritten_cp1250.rtf", &czech);
  EXPECT_EQ(QString::fromUtf8("Příliš žluťoučký kůň"), czech.toPlainText());
  EXPECT_EQ(Qt::AlignHCenter, czech.firstBlock().blockFormat().alignment());
}

TEST(RtfSampleFiles, DosCodePages) {
  QTextDocument german;
  ReadSample("handwritten_cp850.rtf", &german);
  EXPECT_EQ(QString::fromUtf8("Grüße ø"), german.toPlainText());
  QTextDocument boxes;
  ReadSample("handwritten_cp437.rtf", &boxes);
  EXPECT_EQ(QString::fromUtf8("╔═╗ ß"), boxes.toPlainText());
}

}  // namespace
}  // namespace pw
