#include "richtext/rtf_plain_text.h"

#include <QTextDocument>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw {

QString PlainTextOfRtf(const QByteArray& rtf) {
  QTextDocument document;
  ReadRtf(rtf, &document);
  return document.toPlainText();
}

QByteArray RtfOfPlainText(const QString& text) {
  QTextDocument document;
  document.setPlainText(text);
  return WriteRtf(document);
}

}  // namespace pw
