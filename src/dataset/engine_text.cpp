#include "dataset/engine_text.h"

#include "common/windows1252.h"

namespace pw {
namespace {

char16_t UnicodeOf(unsigned char byte) {
  return static_cast<char16_t>(UnicodeOfAnsi(byte));
}

char ByteOf(char16_t unit) {
  unsigned char byte = '?';
  AnsiOfUnicode(unit, &byte);
  return static_cast<char>(byte);
}

}  // namespace

QString FromEngineText(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) text.append(QChar(UnicodeOf(static_cast<unsigned char>(byte))));
  return text;
}

std::string ToEngineText(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text.at(i);
    // A surrogate pair is one character outside 1252: one "?".
    if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    bytes.push_back(ByteOf(ch.unicode()));
  }
  return bytes;
}

}  // namespace pw
