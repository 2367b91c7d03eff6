#include "import/note_text.h"

#include <QStringList>
#include <QTextDocument>

#include "richtext/rtf_writer.h"

namespace pw {

namespace {

constexpr int kCaptionLength = 50;

}  // namespace

QByteArray RtfOfDocument(const QTextDocument& document) {
  return WriteRtf(document);
}

QByteArray RtfOfMarkdown(const QString& markdown) {
  QTextDocument document;
  document.setMarkdown(markdown);
  return WriteRtf(document);
}

QByteArray RtfOfHtml(const QString& html) {
  QTextDocument document;
  document.setHtml(html);
  return WriteRtf(document);
}

QString CaptionOfText(const QString& text) {
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QString trimmed = line.trimmed();
    if (!trimmed.isEmpty()) return trimmed.left(kCaptionLength);
  }
  return {};
}

}  // namespace pw
