// Thousands of mutated RTF files, fed to the reader: no crash, no hang, and
// a document no larger than its input.
#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <random>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

QByteArray Seed() {
  QTextDocument document;
  QTextCursor cursor(&document);
  QTextCharFormat format;
  format.setFontFamilies({"Seed Sans"});
  format.setFontPointSize(14);
  format.setFontWeight(QFont::Bold);
  format.setForeground(QColor(10, 20, 30));
  format.setBackground(QColor(200, 210, 220));
  cursor.insertText(QString::fromUtf8("Grüße € Ж 漢字 😀\tx"), format);
  cursor.insertBlock();
  QTextListFormat list;
  list.setStyle(QTextListFormat::ListDecimal);
  cursor.createList(list);
  cursor.insertText("item");
  QByteArray rtf = WriteRtf(document);
  rtf.insert(rtf.indexOf("\\pard"),
             "{\\*\\x y}{\\info{\\title t}}{\\uc2\\u1046??}\\bin2 ab{\\pict 0}");
  return rtf;
}

QByteArray Mutate(QByteArray data, std::mt19937& random) {
  static const QByteArray kPieces[] = {"{",     "}",     "\\",   "\\'",        "\\u",   "\\uc9",
                                       "\\bin", "\\par", "\\*",  "\\pn",       "\\ls1", "\\f",
                                       "\\'ff", "\\u-1", "\\fs", "9999999999", "-",     "\\pntext"};
  int edits = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < edits && !data.isEmpty(); ++i) {
    auto at = static_cast<qsizetype>(random() % data.size());
    switch (random() % 4) {
      case 0:
        data[at] = static_cast<char>(random());
        break;
      case 1:
        data.remove(at, 1 + random() % 16);
        break;
      case 2:
        data.insert(at, kPieces[random() % std::size(kPieces)]);
        break;
      default:
        data.truncate(at);
        break;
    }
  }
  return data;
}

TEST(RtfFuzz, MutatedInputNeverCrashesOrGrowsBeyondItsSize) {
  std::mt19937 random(20240601);
  const QByteArray seed = Seed();
  QTextDocument check;
  ASSERT_TRUE(ReadRtf(seed, &check));
  ASSERT_TRUE(check.toPlainText().startsWith(QString::fromUtf8("ЖGrüße € Ж 漢字 😀")));
  for (int round = 0; round < 3000; ++round) {
    QByteArray input = Mutate(seed, random);
    QTextDocument document;
    ReadRtf(input, &document);
    ASSERT_LE(document.characterCount(), input.size() + 1) << input.toStdString();
  }
}

TEST(RtfFuzz, RandomBytesAfterTheHeaderNeverCrash) {
  std::mt19937 random(7);
  for (int round = 0; round < 1000; ++round) {
    QByteArray input = "{\\rtf1";
    int length = static_cast<int>(random() % 400);
    for (int i = 0; i < length; ++i) input += static_cast<char>("{}\\'ab0 u-*\xe4"[random() % 13]);
    QTextDocument document;
    ReadRtf(input, &document);
    ASSERT_LE(document.characterCount(), input.size() + 1) << input.toStdString();
  }
}

}  // namespace
}  // namespace pw
