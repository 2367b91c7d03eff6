// Links in RTF: HYPERLINK fields read into anchors with their switches,
// anchors and detected addresses written as fields, and a round trip that
// keeps every target.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "richtext/rtf_hyperlink_field.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "rtf_document_summary.h"

namespace pw {
namespace {

using test::LinkSummary;

QTextDocument* Read(const QByteArray& rtf, QTextDocument* document) {
  EXPECT_TRUE(ReadRtf(rtf, document));
  return document;
}

TEST(RtfHyperlinkReader, ReadsTheTargetAndTheSwitchesWordWrites) {
  QTextDocument document;
  Read(
      "{\\rtf1 A {\\field{\\*\\fldinst {HYPERLINK \"http://example.com/a?b=1\" \\\\o \"Tip "
      "\\\\\"quoted\\\\\"\" \\\\t \"_blank\"}{\\*\\datafield 00d0c9ea}}{\\fldrslt "
      "{\\ul\\cf1 first}}} B {\\field{\\*\\fldinst HYPERLINK \\\\l \"part2\"}{\\fldrslt local}}"
      " C {\\field{\\*\\fldinst HYPERLINK \"C:\\\\\\\\docs\\\\\\\\plan.odt\" \\\\l \"x\" "
      "\\\\m}{\\fldrslt file}} D}",
      &document);
  EXPECT_EQ("A first B local C file D", document.toPlainText());
  EXPECT_EQ(
      "first -> http://example.com/a?b=1 [Tip \"quoted\"]\n"
      "local -> #part2\n"
      "file -> C:\\docs\\plan.odt#x",
      LinkSummary(document));
  // The result keeps its own look; the text after the field is no link.
  QTextCursor first = document.find("first");
  EXPECT_TRUE(first.charFormat().fontUnderline());
  EXPECT_FALSE(document.find(" B").charFormat().isAnchor());
}

TEST(RtfHyperlinkReader, ReadsSwitchesLeftAsControlWords) {
  QTextDocument document;
  Read("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://x.org/\" \\o \"tip\"}{\\fldrslt x}}}",
       &document);
  EXPECT_EQ("x -> http://x.org/ [tip]", LinkSummary(document));
}

TEST(RtfHyperlinkReader, OtherFieldsAndLinksWithoutTargetsAreText) {
  QTextDocument document;
  Read(
      "{\\rtf1{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}} {\\field{\\*\\fldinst HYPERLINK \"\"}"
      "{\\fldrslt empty}} {\\field{\\*\\fldinst HYPERLINK}{\\fldrslt bare}}}",
      &document);
  EXPECT_EQ("7 empty bare", document.toPlainText());
  EXPECT_EQ("", LinkSummary(document));
}

TEST(RtfHyperlinkReader, AnAddressLinkedToItselfIsTextTheNoteDetectsAgain) {
  QTextDocument document;
  Read(
      "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://www.example.com/\"}{\\fldrslt "
      "www.{\\b example}.com}} {\\field{\\*\\fldinst HYPERLINK \"mailto:a@b.org\"}{\\fldrslt "
      "a@b.org}} {\\field{\\*\\fldinst HYPERLINK \"https://www.example.com\"}{\\fldrslt "
      "www.example.com}} {\\field{\\*\\fldinst HYPERLINK \"mailto:a@b.org\" \\\\o \"Write\"}"
      "{\\fldrslt a@b.org}}}",
      &document);
  // A different scheme or a tip says more than the text: those stay links.
  EXPECT_EQ("www.example.com -> https://www.example.com\na@b.org -> mailto:a@b.org [Write]",
            LinkSummary(document));
  EXPECT_EQ(QFont::Bold, document.find("example").charFormat().fontWeight());
}

TEST(RtfHyperlinkWriter, WritesLinksAndDetectedAddressesAsFields) {
  QTextDocument document;
  QTextCursor cursor(&document);
  QTextCharFormat link;
  link.setAnchor(true);
  link.setAnchorHref("https://example.com/q?a=\"1\"");
  link.setToolTip("Example");
  cursor.insertText("see ");
  cursor.insertText("here", link);
  QTextCharFormat bold = link;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText(" now", bold);
  QTextCharFormat local;
  local.setAnchor(true);
  local.setAnchorHref("#part");
  cursor.insertText(", ", QTextCharFormat());
  cursor.insertText("there", local);
  cursor.insertText(" or www.example.org.", QTextCharFormat());
  const QByteArray rtf = WriteRtf(document);
  EXPECT_TRUE(
      rtf.contains("see {\\field{\\*\\fldinst HYPERLINK \"https://example.com/q?a=\\\\\"1"
                   "\\\\\"\" \\\\o \"Example\"}{\\fldrslt here\\b  now}}, {\\field"))
      << rtf.data();
  EXPECT_TRUE(rtf.contains("{\\field{\\*\\fldinst HYPERLINK \\\\l \"part\"}{\\fldrslt there}}"))
      << rtf.data();
  EXPECT_TRUE(
      rtf.contains(" or {\\field{\\*\\fldinst HYPERLINK \"http://www.example.org\"}"
                   "{\\fldrslt www.example.org}}.\\par"))
      << rtf.data();
}

TEST(RtfHyperlinkRoundTrip, KeepsEveryTargetAndTip) {
  QTextDocument original;
  QTextCursor cursor(&original);
  const QList<std::pair<QString, QString>> targets = {
      {"http://example.com/path?x=1&y=\\2", "tip {with} braces"},
      {"#bookmark", ""},
      {"mailto:someone@example.org", ""},
      {QString::fromUtf8("https://example.com/ü"), QString::fromUtf8("Ж")}};
  for (const auto& [target, tip] : targets) {
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(target);
    link.setToolTip(tip);
    cursor.insertText("text of " + target.left(6), link);
    cursor.insertText(" and ", QTextCharFormat());
  }
  cursor.insertText("https://detected.example/x");
  const QByteArray first = WriteRtf(original);
  QTextDocument readBack;
  ASSERT_TRUE(ReadRtf(first, &readBack));
  EXPECT_EQ(original.toPlainText(), readBack.toPlainText());
  EXPECT_EQ(LinkSummary(original), LinkSummary(readBack));
  EXPECT_EQ(first.toStdString(), WriteRtf(readBack).toStdString());
}

TEST(RtfHyperlinkField, InstructionsReadBackToTheirLink) {
  for (const HyperlinkField& link :
       {HyperlinkField{"http://a.org/\"q\"\\", "tip \"x\""}, HyperlinkField{"#mark", ""}}) {
    const auto read = ParseHyperlinkInstruction(HyperlinkInstruction(link));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(link.target, read->target);
    EXPECT_EQ(link.toolTip, read->toolTip);
  }
  EXPECT_FALSE(ParseHyperlinkInstruction("PAGE \\* MERGEFORMAT").has_value());
  EXPECT_EQ("http://b.org", ParseHyperlinkInstruction("hyperlink http://b.org \\h")->target);
}

}  // namespace
}  // namespace pw
