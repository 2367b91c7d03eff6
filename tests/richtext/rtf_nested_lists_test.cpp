// Nested lists: the writer's list table and \lsN\ilvlN beside the old \pn
// form, the reader's levels and kinds from a list table, and a round trip
// that keeps every level.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "rtf_document_summary.h"

namespace pw {
namespace {

struct Item {
  const char* text;
  QTextListFormat::Style style;
  int level;  // 0 for the outermost
};

// A list item per entry; an entry continues the last list of its level and
// style unless a shallower item came in between, as a user builds one.
void AppendList(QTextDocument* document, const std::vector<Item>& items) {
  QTextCursor cursor(document);
  cursor.movePosition(QTextCursor::End);
  std::vector<QTextList*> open;
  for (const Item& item : items) {
    if (!document->isEmpty()) cursor.insertBlock(QTextBlockFormat());
    open.resize(item.level + 1, nullptr);
    if (open[item.level] != nullptr && open[item.level]->format().style() == item.style) {
      open[item.level]->add(cursor.block());
    } else {
      QTextListFormat format;
      format.setStyle(item.style);
      format.setIndent(item.level + 1);
      open[item.level] = cursor.createList(format);
    }
    cursor.insertText(item.text);
  }
}

void AppendParagraph(QTextDocument* document, const QString& text) {
  QTextCursor cursor(document);
  cursor.movePosition(QTextCursor::End);
  cursor.insertBlock(QTextBlockFormat());
  cursor.insertText(text);
}

const std::vector<Item> kBullets = {{"disc", QTextListFormat::ListDisc, 0},
                                    {"circle", QTextListFormat::ListCircle, 1},
                                    {"square", QTextListFormat::ListSquare, 2},
                                    {"circle again", QTextListFormat::ListCircle, 1},
                                    {"disc again", QTextListFormat::ListDisc, 0}};
const std::vector<Item> kNumbers = {{"one", QTextListFormat::ListDecimal, 0},
                                    {"letter", QTextListFormat::ListLowerAlpha, 1},
                                    {"roman", QTextListFormat::ListUpperRoman, 2},
                                    {"roman two", QTextListFormat::ListUpperRoman, 2},
                                    {"letter two", QTextListFormat::ListLowerAlpha, 1},
                                    {"two", QTextListFormat::ListDecimal, 0}};

using test::ListSummary;

QStringList Captures(const QByteArray& rtf, const char* pattern) {
  QStringList found;
  auto matches = QRegularExpression(pattern).globalMatch(QString::fromLatin1(rtf));
  while (matches.hasNext()) found.append(matches.next().captured(1));
  return found;
}

TEST(RtfNestedListsWriter, WritesAListTableWithTheKindOfEveryLevel) {
  QTextDocument document;
  AppendList(&document, kBullets);
  AppendList(&document, kNumbers);
  const QByteArray rtf = WriteRtf(document);
  ASSERT_TRUE(rtf.contains("{\\*\\listtable")) << rtf.data();
  // Two lists of nine levels: the bullets' three, then the numbers' three;
  // the levels below repeat the deepest one used.
  const QStringList kinds = Captures(rtf, R"(\\levelnfc(\d+)\\)");
  ASSERT_EQ(18, kinds.size()) << rtf.data();
  EXPECT_EQ((QStringList{"23", "23", "23", "23"}), kinds.mid(0, 4));
  EXPECT_EQ((QStringList{"0", "4", "1", "1"}), kinds.mid(9, 4));
  EXPECT_EQ((QStringList{"\\u8226?", "\\u9702?", "\\u9642?"}),
            Captures(rtf, R"(\\leveltext\\'01([^;]*);)").mid(0, 3));
  EXPECT_TRUE(rtf.contains("{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}")) << rtf.data();
  EXPECT_TRUE(
      rtf.contains("{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0"
                   "\\ls1}{\\listoverride\\listid2\\listoverridecount0\\ls2}}"))
      << rtf.data();
}

TEST(RtfNestedListsWriter, GivesEveryItemItsListAndLevelBesideTheOldForm) {
  QTextDocument document;
  AppendList(&document, kBullets);
  AppendList(&document, kNumbers);
  const QByteArray rtf = WriteRtf(document);
  EXPECT_EQ((QStringList{"1\\ilvl0", "1\\ilvl1", "1\\ilvl2", "1\\ilvl1", "1\\ilvl0", "2\\ilvl0",
                         "2\\ilvl1", "2\\ilvl2", "2\\ilvl2", "2\\ilvl1", "2\\ilvl0"}),
            Captures(rtf, R"(\}\}\\ls(\d\\ilvl\d))"));
  // The \pn group names the same list and level, with the bullet or number.
  EXPECT_TRUE(
      rtf.contains("{\\pntext\\u9702?\\tab}{\\*\\pn\\pnlvlblt\\ilvl1\\ls1\\pnrnot0"
                   "\\pnindent0{\\pntxtb\\u9702?}}\\ls1\\ilvl1\\li1440\\fi-360 circle"))
      << rtf.data();
  EXPECT_TRUE(
      rtf.contains("{\\pntext II.\\tab}{\\*\\pn\\pnlvlbody\\ilvl2\\ls2\\pnrnot0\\pnucrm"
                   "\\pnstart1\\pnindent0{\\pntxta .}}\\ls2\\ilvl2\\li2160\\fi-360 roman two"))
      << rtf.data();
}

TEST(RtfNestedListsWriter, ListsApartGetListsOfTheirOwn) {
  QTextDocument document;
  AppendList(&document, {{"a", QTextListFormat::ListDecimal, 0}});
  AppendParagraph(&document, "between");
  AppendList(&document, {{"b", QTextListFormat::ListDecimal, 0}});
  EXPECT_EQ((QStringList{"1", "2"}), Captures(WriteRtf(document), R"(\}\}\\ls(\d))"));
}

// The layout a word processor writes: the list table says what each level
// is, the \listtext markers only what the numbers came to.
constexpr char kWordProcessorLists[] =
    "{\\rtf1{\\*\\listtable"
    "{\\list\\listtemplateid5{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}}"
    "{\\listlevel\\levelnfc23{\\leveltext\\'01o;}{\\levelnumbers;}}"
    "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3929 ?;}{\\levelnumbers;}}{\\listname "
    ";}\\listid7}"
    "{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
    "{\\listlevel\\levelnfc4{\\leveltext\\'02\\'01);}{\\levelnumbers\\'01;}}"
    "{\\listlevel\\levelnfc2{\\leveltext\\'02\\'02.;}{\\levelnumbers\\'01;}}\\listid9}}"
    "{\\*\\listoverridetable{\\listoverride\\listid9\\listoverridecount1"
    "{\\lfolevel\\listoverridestartat{\\listlevel\\levelnfc23}}\\ls2}"
    "{\\listoverride\\listid7\\listoverridecount0\\ls1}}"
    "\\pard{\\listtext x\\tab}\\ls1\\ilvl0 disc\\par"
    "\\pard{\\listtext x\\tab}\\ls1\\ilvl1 circle\\par"
    "\\pard{\\listtext x\\tab}\\ls1\\ilvl2 square\\par"
    "\\pard{\\listtext 1.\\tab}\\ls2\\ilvl0 one\\par"
    "\\pard{\\listtext a)\\tab}\\ls2\\ilvl1 letter\\par"
    "\\pard{\\listtext i.\\tab}\\ls2\\ilvl2 roman\\par"
    "\\pard interruption\\par"
    "\\pard{\\listtext b)\\tab}\\ls2\\ilvl1 letter two\\par"
    "\\pard{\\listtext 2.\\tab}\\ls2\\ilvl0 two\\par}";

TEST(RtfNestedListsReader, TakesTheKindOfEveryLevelFromTheListTable) {
  QTextDocument document;
  ASSERT_TRUE(ReadRtf(kWordProcessorLists, &document));
  EXPECT_EQ(
      "disc: -1/1 .\n"
      "circle: -2/2 .\n"
      "square: -3/3 .\n"
      "one: -4/1 1.\n"
      "letter: -5/2 a.\n"
      "roman: -7/3 i.\n"
      "interruption\n"
      "letter two: -5/2 b.\n"
      "two: -4/1 2.\n",
      ListSummary(document));
  // A list of the list table goes on after other paragraphs.
  EXPECT_EQ(document.findBlockByNumber(3).textList(), document.findBlockByNumber(8).textList());
}

TEST(RtfNestedListsReader, WithoutAListTableTheMarkersAndPnGroupsDecide) {
  QTextDocument document;
  ASSERT_TRUE(
      ReadRtf("{\\rtf1\\pard{\\listtext iv.\\tab}\\ls4\\ilvl1 marker\\par"
              "\\pard{\\*\\pn\\pnlvlbody\\ilvl2\\pnucltr{\\pntxta .}}\\ls4 group\\par}",
              &document));
  EXPECT_EQ("marker: -7/2 i.\ngroup: -6/3 A.\n", ListSummary(document));
}

TEST(RtfNestedListsRoundTrip, KeepsTheLevelAndKindOfEveryItem) {
  QTextDocument original;
  AppendList(&original, kBullets);
  AppendParagraph(&original, "between");
  AppendList(&original, kNumbers);
  const QByteArray first = WriteRtf(original);
  QTextDocument readBack;
  ASSERT_TRUE(ReadRtf(first, &readBack));
  EXPECT_EQ(ListSummary(original), ListSummary(readBack));
  EXPECT_EQ(first.toStdString(), WriteRtf(readBack).toStdString());
}

}  // namespace
}  // namespace pw
