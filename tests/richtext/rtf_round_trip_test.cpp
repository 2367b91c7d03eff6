// A document written as RTF and read back keeps its text and the format of
// every character and paragraph.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

QTextCharFormat Format(const QString& family, double points) {
  QTextCharFormat format;
  format.setFontFamilies({family});
  format.setFontPointSize(points);
  return format;
}

// One paragraph per feature, each run in a format of its own.
void BuildDocumentWithEveryFormat(QTextDocument* document) {
  QTextCursor cursor(document);
  QTextCharFormat plain = Format("DejaVu Sans", 12);
  cursor.insertText("Plain ", plain);
  QTextCharFormat bold = plain;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText("bold ", bold);
  QTextCharFormat italic = plain;
  italic.setFontItalic(true);
  cursor.insertText("italic ", italic);
  QTextCharFormat underline = plain;
  underline.setFontUnderline(true);
  cursor.insertText("underline ", underline);
  QTextCharFormat strike = plain;
  strike.setFontStrikeOut(true);
  cursor.insertText("strike", strike);

  QTextBlockFormat centered;
  centered.setAlignment(Qt::AlignHCenter);
  cursor.insertBlock(centered);
  cursor.insertText("Large serif ", Format("DejaVu Serif", 20.5));
  QTextCharFormat red = Format("DejaVu Sans Mono", 8);
  red.setForeground(QColor(200, 10, 30));
  cursor.insertText("red", red);
  QTextCharFormat marked = plain;
  marked.setBackground(QColor(255, 255, 0));
  cursor.insertText(" marked", marked);

  QTextBlockFormat indented;
  indented.setAlignment(Qt::AlignRight);
  indented.setLeftMargin(20);
  indented.setRightMargin(10);
  indented.setTextIndent(-8);
  indented.setTopMargin(4);
  indented.setBottomMargin(6);
  cursor.insertBlock(indented);
  cursor.insertText(QString::fromUtf8("€ ä Ж 漢字 😀 {braces} \\ back"), plain);

  QTextBlockFormat justified;
  justified.setAlignment(Qt::AlignJustify);
  cursor.insertBlock(justified);
  cursor.insertText(QString::fromUtf8("a\tb") + QChar(QChar::LineSeparator) + "c", plain);

  QTextListFormat bullets;
  bullets.setStyle(QTextListFormat::ListDisc);
  cursor.insertBlock(QTextBlockFormat());
  cursor.createList(bullets);
  cursor.insertText("first bullet", plain);
  cursor.insertBlock();
  cursor.insertText("second bullet", bold);
  QTextListFormat nested;
  nested.setStyle(QTextListFormat::ListCircle);
  nested.setIndent(2);
  cursor.insertBlock();
  cursor.createList(nested);
  cursor.insertText("nested", plain);

  QTextListFormat numbers;
  numbers.setStyle(QTextListFormat::ListDecimal);
  cursor.insertBlock(QTextBlockFormat());
  cursor.createList(numbers);
  cursor.insertText("one", plain);
  cursor.insertBlock();
  cursor.insertText("two", plain);
  QTextListFormat roman;
  roman.setStyle(QTextListFormat::ListUpperRoman);
  cursor.insertBlock(QTextBlockFormat());
  cursor.createList(roman);
  cursor.insertText("roman", plain);

  cursor.insertBlock(QTextBlockFormat());
  cursor.insertText("last", plain);
}

struct CharacterFormat {
  QString family;
  double points;
  bool bold, italic, underline, strike;
  QString foreground, background;
  bool operator==(const CharacterFormat&) const = default;
};

std::ostream& operator<<(std::ostream& out, const CharacterFormat& f) {
  return out << f.family.toStdString() << " " << f.points << "pt b" << f.bold << " i" << f.italic
             << " u" << f.underline << " s" << f.strike << " fg " << f.foreground.toStdString()
             << " bg " << f.background.toStdString();
}

CharacterFormat FormatAt(const QTextDocument& document, int position) {
  QTextCursor cursor(const_cast<QTextDocument*>(&document));
  cursor.setPosition(position + 1);
  QTextCharFormat f = cursor.charFormat();
  auto color = [&](QTextFormat::Property property) {
    return f.hasProperty(property) ? f.brushProperty(property).color().name() : QString();
  };
  return {f.fontFamilies().toStringList().value(0),
          f.fontPointSize(),
          f.fontWeight() == QFont::Bold,
          f.fontItalic(),
          f.fontUnderline(),
          f.fontStrikeOut(),
          color(QTextFormat::ForegroundBrush),
          color(QTextFormat::BackgroundBrush)};
}

std::string ParagraphSummary(const QTextBlock& block) {
  QTextBlockFormat f = block.blockFormat();
  std::string summary = std::to_string(int(f.alignment() & Qt::AlignHorizontal_Mask)) + " " +
                        std::to_string(f.leftMargin()) + " " + std::to_string(f.rightMargin()) +
                        " " + std::to_string(f.textIndent()) + " " + std::to_string(f.topMargin()) +
                        " " + std::to_string(f.bottomMargin());
  if (QTextList* list = block.textList()) {
    summary += " list " + std::to_string(list->format().style()) + "/" +
               std::to_string(list->format().indent()) + " item " +
               list->itemText(block).toStdString();
  }
  return summary;
}

void ExpectSameDocument(const QTextDocument& expected, const QTextDocument& actual) {
  ASSERT_EQ(expected.toPlainText().toStdString(), actual.toPlainText().toStdString());
  for (int position = 0; position < expected.characterCount() - 1; ++position) {
    if (expected.characterAt(position) == QChar::ParagraphSeparator) continue;
    EXPECT_EQ(FormatAt(expected, position), FormatAt(actual, position)) << "at " << position;
  }
  ASSERT_EQ(expected.blockCount(), actual.blockCount());
  for (QTextBlock a = expected.begin(), b = actual.begin(); a.isValid();
       a = a.next(), b = b.next()) {
    EXPECT_EQ(ParagraphSummary(a), ParagraphSummary(b)) << a.text().toStdString();
  }
}

TEST(RtfRoundTrip, KeepsTextAndFormatOfEveryCharacterAndParagraph) {
  QTextDocument original;
  BuildDocumentWithEveryFormat(&original);
  QTextDocument readBack;
  ASSERT_TRUE(ReadRtf(WriteRtf(original), &readBack));
  ExpectSameDocument(original, readBack);
}

TEST(RtfRoundTrip, WritingTheReadDocumentAgainGivesTheSameRtf) {
  QTextDocument original;
  BuildDocumentWithEveryFormat(&original);
  QByteArray first = WriteRtf(original);
  QTextDocument readBack;
  ASSERT_TRUE(ReadRtf(first, &readBack));
  EXPECT_EQ(first.toStdString(), WriteRtf(readBack).toStdString());
}

TEST(RtfRoundTrip, KeepsEmptyParagraphsAtTheStartAndEnd) {
  QTextDocument original;
  QTextCursor cursor(&original);
  cursor.insertText("\nmiddle\n\n", Format("DejaVu Sans", 10));
  QTextDocument readBack;
  ASSERT_TRUE(ReadRtf(WriteRtf(original), &readBack));
  EXPECT_EQ(original.toPlainText().toStdString(), readBack.toPlainText().toStdString());
  EXPECT_EQ(original.blockCount(), readBack.blockCount());
}

TEST(RtfRoundTrip, KeepsAnEmptyDocumentEmpty) {
  QTextDocument original;
  QTextDocument readBack;
  readBack.setPlainText("old text");
  ASSERT_TRUE(ReadRtf(WriteRtf(original), &readBack));
  EXPECT_TRUE(readBack.isEmpty());
}

TEST(RtfRoundTrip, KeepsEveryUnicodeCharacterOfTheBasicPlaneAndBeyond) {
  QString text;
  for (char32_t c = 0x20; c < 0x3000; c += 7) {
    if (c == 0x2028 || c == 0x2029) continue;
    text += QString::fromUcs4(&c, 1);
  }
  for (char32_t c : {U'\U0001F600', U'\U00020000', U'\U0010FFFD', U'\uFFFD', U'\u00A0'}) {
    text += QString::fromUcs4(&c, 1);
  }
  QTextDocument original;
  QTextCursor(&original).insertText(text);
  QTextDocument readBack;
  ASSERT_TRUE(ReadRtf(WriteRtf(original), &readBack));
  EXPECT_EQ(text, readBack.toRawText());
}

TEST(RtfRoundTrip, KeepsTheDocumentTitleExactlyAndOutsideTheText) {
  QTextDocument original;
  original.setPlainText("Body");
  const QString title = QString::fromUtf8(
      "\xCE\xA9mega {\\} \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE4\xBD\xA0\xE5\xA5\xBD "
      "\xF0\x9F\x8E\x89");
  original.setMetaInformation(QTextDocument::DocumentTitle, title);
  QTextDocument readBack;
  readBack.setMetaInformation(QTextDocument::DocumentTitle, "old");
  ASSERT_TRUE(ReadRtf(WriteRtf(original), &readBack));
  EXPECT_EQ(readBack.metaInformation(QTextDocument::DocumentTitle), title);
  EXPECT_EQ(readBack.toPlainText(), "Body");
  // A document without a title leaves none behind from the one read before.
  ASSERT_TRUE(ReadRtf(WriteRtf(QTextDocument()), &readBack));
  EXPECT_TRUE(readBack.metaInformation(QTextDocument::DocumentTitle).isEmpty());
}

}  // namespace
}  // namespace pw
