// Shared by the import tests: the sample sources under tests/data/import,
// and what an imported note's RTF shows.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

#include "richtext/rtf_reader.h"

namespace pw::test {

inline QString ImportSample(const char* name) {
  return QStringLiteral(PAPERWISP_TEST_DATA "/import/") + QLatin1String(name);
}

inline std::unique_ptr<QTextDocument> DocumentOfRtf(const QByteArray& rtf) {
  auto document = std::make_unique<QTextDocument>();
  ReadRtf(rtf, document.get());
  return document;
}

inline QString PlainTextOfRtf(const QByteArray& rtf) {
  return DocumentOfRtf(rtf)->toPlainText();
}

// The character format of the character at `position` of the RTF's text.
inline QTextCharFormat FormatAt(const QByteArray& rtf, int position) {
  const auto document = DocumentOfRtf(rtf);
  QTextCursor cursor(document.get());
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

}  // namespace pw::test
