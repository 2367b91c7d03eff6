// Web and e-mail addresses typed into a note show as links while detection
// is on, open on a click, and never become part of the stored text.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QTextBlock>
#include <QTextLayout>

#include "note_editor_test_support.h"
#include "richtext/link_detection.h"

namespace pw {
namespace {

using test::FormatAt;
using test::RecordingUrlOpener;
using test::ShowAndType;

// The underlined ranges the first paragraph is shown with.
QList<std::pair<int, int>> ShownLinks(const NoteEditor& editor) {
  QList<std::pair<int, int>> ranges;
  for (const QTextLayout::FormatRange& range :
       editor.document()->firstBlock().layout()->formats()) {
    if (range.format.fontUnderline()) ranges.append({range.start, range.length});
  }
  return ranges;
}

// The middle of the character at `position`, in viewport coordinates.
QPoint CharacterCentre(const NoteEditor& editor, int position) {
  QTextCursor cursor(editor.document());
  cursor.setPosition(position);
  const QRect left = editor.cursorRect(cursor);
  cursor.setPosition(position + 1);
  const QRect right = editor.cursorRect(cursor);
  return QPoint((left.center().x() + right.center().x()) / 2, left.center().y());
}

TEST(NoteEditorLinks, TypedAddressBecomesALinkWithDetectionOn) {
  NoteEditor editor;
  editor.SetUrlDetection(true);
  ShowAndType(&editor, "see www.example.com now");
  EXPECT_EQ(editor.LinkAt(4), QUrl("http://www.example.com"));
  EXPECT_EQ(editor.LinkAt(18), QUrl("http://www.example.com"));
  EXPECT_TRUE(editor.LinkAt(3).isEmpty());
  EXPECT_TRUE(editor.LinkAt(19).isEmpty());
  EXPECT_EQ(ShownLinks(editor), (QList<std::pair<int, int>>{{4, 15}}));
}

TEST(NoteEditorLinks, TypedAddressStaysTextWithDetectionOff) {
  NoteEditor editor;
  editor.SetUrlDetection(false);
  ShowAndType(&editor, "see www.example.com now");
  EXPECT_TRUE(editor.LinkAt(8).isEmpty());
  EXPECT_TRUE(ShownLinks(editor).isEmpty());
}

TEST(NoteEditorLinks, TypedMailAddressBecomesAMailtoLink) {
  NoteEditor editor;
  editor.SetUrlDetection(true);
  ShowAndType(&editor, "write to anna.berg@example.org.");
  EXPECT_EQ(editor.LinkAt(12), QUrl("mailto:anna.berg@example.org"));
  EXPECT_TRUE(editor.LinkAt(30).isEmpty());
}

TEST(NoteEditorLinks, SwitchingDetectionShowsAndHidesExistingLinks) {
  NoteEditor editor;
  ShowAndType(&editor, "https://example.com/a");
  EXPECT_TRUE(ShownLinks(editor).isEmpty());
  editor.SetUrlDetection(true);
  EXPECT_EQ(ShownLinks(editor), (QList<std::pair<int, int>>{{0, 21}}));
  editor.SetUrlDetection(false);
  EXPECT_TRUE(ShownLinks(editor).isEmpty());
  EXPECT_TRUE(editor.LinkAt(3).isEmpty());
}

TEST(NoteEditorLinks, DetectedLinkIsNotPartOfTheTextOrItsUndoHistory) {
  NoteEditor editor;
  editor.SetUrlDetection(true);
  ShowAndType(&editor, "www.example.com");
  EXPECT_FALSE(FormatAt(editor, 3).fontUnderline());
  EXPECT_FALSE(FormatAt(editor, 3).isAnchor());
  QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(editor.PlainText().isEmpty());
}

TEST(NoteEditorLinks, CtrlClickOpensTheLinkInEditableText) {
  NoteEditor editor;
  RecordingUrlOpener opener;
  editor.SetUrlOpener(&opener);
  editor.SetUrlDetection(true);
  ShowAndType(&editor, "go to http://example.com/page today");
  QList<QUrl> signalled;
  QObject::connect(&editor, &NoteEditor::linkActivated,
                   [&signalled](const QUrl& url) { signalled.append(url); });

  QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::ControlModifier,
                    CharacterCentre(editor, 12));
  EXPECT_EQ(opener.opened, (QList<QUrl>{QUrl("http://example.com/page")}));
  EXPECT_EQ(signalled, opener.opened);
}

TEST(NoteEditorLinks, PlainClickInEditableTextPlacesTheCaretWithoutOpening) {
  NoteEditor editor;
  RecordingUrlOpener opener;
  editor.SetUrlOpener(&opener);
  editor.SetUrlDetection(true);
  ShowAndType(&editor, "go to http://example.com/page today");
  QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, CharacterCentre(editor, 12));
  EXPECT_TRUE(opener.opened.isEmpty());
  EXPECT_NEAR(editor.textCursor().position(), 12, 1);
}

TEST(NoteEditorLinks, PlainClickOpensTheLinkInAReadOnlyView) {
  NoteEditor editor;
  RecordingUrlOpener opener;
  editor.SetUrlOpener(&opener);
  editor.SetUrlDetection(true);
  ShowAndType(&editor, "mail bob@example.com please");
  editor.setReadOnly(true);
  QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, CharacterCentre(editor, 19));
  EXPECT_EQ(opener.opened, (QList<QUrl>{QUrl("mailto:bob@example.com")}));
}

TEST(NoteEditorLinks, ClickBesideTheLinkOpensNothing) {
  NoteEditor editor;
  RecordingUrlOpener opener;
  editor.SetUrlOpener(&opener);
  editor.SetUrlDetection(true);
  ShowAndType(&editor, "see www.example.com now");
  editor.setReadOnly(true);
  QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, CharacterCentre(editor, 1));
  QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, CharacterCentre(editor, 21));
  EXPECT_TRUE(opener.opened.isEmpty());
}

TEST(NoteEditorLinks, LinkOfTheTextIsShownAndOpensWithDetectionOff) {
  NoteEditor editor;
  RecordingUrlOpener opener;
  editor.SetUrlOpener(&opener);
  editor.SetUrlDetection(false);
  QBuffer rtf;
  rtf.setData(
      "{\\rtf1 go {\\field{\\*\\fldinst HYPERLINK \"https://example.com/t\"}"
      "{\\fldrslt there}} now}");
  ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
  ASSERT_TRUE(editor.LoadFromStream(&rtf));
  ShowAndType(&editor, "");
  EXPECT_EQ(ShownLinks(editor), (QList<std::pair<int, int>>{{3, 5}}));
  EXPECT_EQ(editor.LinkAt(3), QUrl("https://example.com/t"));
  EXPECT_TRUE(editor.LinkAt(9).isEmpty());

  QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, CharacterCentre(editor, 5));
  EXPECT_TRUE(opener.opened.isEmpty());
  QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::ControlModifier,
                    CharacterCentre(editor, 5));
  EXPECT_EQ(opener.opened, (QList<QUrl>{QUrl("https://example.com/t")}));

  QBuffer saved;
  ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
  ASSERT_TRUE(editor.SaveToStream(&saved));
  EXPECT_TRUE(
      saved.data().contains("{\\field{\\*\\fldinst HYPERLINK \"https://example.com/t\"}"
                            "{\\fldrslt"))
      << saved.data().data();
}

TEST(NoteEditorLinkDetection, FindsSchemeAndWwwAndMailAddresses) {
  const QList<DetectedLink> links =
      DetectLinks("a http://x.org/p?q=1 b WWW.Example.COM c me@host.example d ftp://f.net");
  ASSERT_EQ(links.size(), 4);
  EXPECT_EQ(links[0].url, QUrl("http://x.org/p?q=1"));
  EXPECT_EQ(links[0].start, 2);
  EXPECT_EQ(links[0].length, 18);
  EXPECT_EQ(links[1].url, QUrl("http://WWW.Example.COM"));
  EXPECT_EQ(links[2].url, QUrl("mailto:me@host.example"));
  EXPECT_EQ(links[3].url, QUrl("ftp://f.net"));
}

TEST(NoteEditorLinkDetection, LeavesClosingPunctuationOutside) {
  const QList<DetectedLink> links = DetectLinks("(see www.a.com), or http://b.org/x_(y).");
  ASSERT_EQ(links.size(), 2);
  EXPECT_EQ(links[0].url, QUrl("http://www.a.com"));
  EXPECT_EQ(links[1].url, QUrl("http://b.org/x_(y)"));
  EXPECT_EQ(links[1].length, 18);
}

TEST(NoteEditorLinkDetection, PrefixAloneIsNoLink) {
  EXPECT_TRUE(DetectLinks("http: and www. and mailto: and a@b").isEmpty());
}

TEST(NoteEditorLinkDetection, MailAddressInsideAWebAddressIsPartOfIt) {
  const QList<DetectedLink> links = DetectLinks("http://user@example.com/x");
  ASSERT_EQ(links.size(), 1);
  EXPECT_EQ(links[0].url.scheme(), "http");
}

}  // namespace
}  // namespace pw
