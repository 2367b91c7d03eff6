// Another RTF reader, the unrtf program, reads our output. Its text mode
// passes Windows-1252 bytes through and shows the "?" fallback for \uN, so
// the text comparison uses Latin-1 text; its HTML mode shows that the \uN
// escapes carry every other character.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>

#include "richtext/rtf_writer.h"

namespace pw {
namespace {

QByteArray RunUnrtf(const QString& mode, const QByteArray& rtf) {
  QProcess unrtf;
  unrtf.start(QStandardPaths::findExecutable("unrtf"), {mode});
  EXPECT_TRUE(unrtf.waitForStarted());
  unrtf.write(rtf);
  unrtf.closeWriteChannel();
  EXPECT_TRUE(unrtf.waitForFinished());
  EXPECT_EQ(0, unrtf.exitCode()) << unrtf.readAllStandardError().toStdString();
  return unrtf.readAllStandardOutput();
}

// unrtf --text starts with "###" comment lines and a "-----" rule.
QString UnrtfText(const QByteArray& rtf) {
  QStringList lines = QString::fromLatin1(RunUnrtf("--text", rtf)).split('\n');
  while (!lines.isEmpty() && !lines.front().startsWith("-----")) lines.removeFirst();
  if (!lines.isEmpty()) lines.removeFirst();
  return lines.join('\n');
}

#define SKIP_WITHOUT_UNRTF()                                         \
  if (QStandardPaths::findExecutable("unrtf").isEmpty()) {           \
    GTEST_SKIP() << "unrtf is not installed (Debian package unrtf)"; \
  }

TEST(RtfUnrtf, TextModeReadsOurOutputToTheSameText) {
  SKIP_WITHOUT_UNRTF();
  QTextDocument document;
  QTextCursor cursor(&document);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  bold.setForeground(QColor(255, 0, 0));
  bold.setFontPointSize(18);
  cursor.insertText(QString::fromUtf8("Grüße, café {braces} \\ "));
  cursor.insertText("bold", bold);
  cursor.insertText(" after");
  cursor.insertBlock();
  cursor.insertText("second line");
  QTextBlockFormat centered;
  centered.setAlignment(Qt::AlignHCenter);
  cursor.insertBlock(centered);
  cursor.insertText("centered");
  EXPECT_EQ((document.toPlainText() + "\n").toStdString(),
            UnrtfText(WriteRtf(document)).toStdString());
}

TEST(RtfUnrtf, TextModeShowsLinkTextAndListItemsWithoutTheirCodes) {
  SKIP_WITHOUT_UNRTF();
  QTextDocument document;
  QTextCursor cursor(&document);
  QTextCharFormat link;
  link.setAnchor(true);
  link.setAnchorHref("https://example.com/target");
  link.setToolTip("tip");
  cursor.insertText("see ");
  cursor.insertText("the target", link);
  cursor.insertText(" or www.example.org", QTextCharFormat());
  for (int level = 1; level <= 3; ++level) {
    cursor.insertBlock(QTextBlockFormat());
    QTextListFormat list;
    list.setStyle(level == 2 ? QTextListFormat::ListDecimal : QTextListFormat::ListCircle);
    list.setIndent(level);
    cursor.createList(list);
    cursor.insertText("level " + QString::number(level), QTextCharFormat());
  }
  const QString text = UnrtfText(WriteRtf(document));
  EXPECT_TRUE(text.contains("see the target or www.example.org\n")) << text.toStdString();
  for (const char* item : {"level 1", "1.", "level 2", "level 3"}) {
    EXPECT_TRUE(text.contains(item)) << item << "\n" << text.toStdString();
  }
  for (const char* code : {"HYPERLINK", "tip", "https:", "1.;", "\\'0"}) {
    EXPECT_FALSE(text.contains(code)) << code << "\n" << text.toStdString();
  }
}

TEST(RtfUnrtf, HtmlModeReadsCharactersBeyondWindows1252) {
  SKIP_WITHOUT_UNRTF();
  QTextDocument document;
  QTextCursor(&document).insertText(QString::fromUtf8("€ Ж 漢字"));
  QByteArray html = RunUnrtf("--html", WriteRtf(document));
  EXPECT_TRUE(html.contains("&euro; &#1046; &#28450;&#23383;")) << html.toStdString();
}

}  // namespace
}  // namespace pw
