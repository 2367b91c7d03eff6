#include "dataset/engine_text.h"

#include <array>

namespace pw {
namespace {

// Bytes 0x80-0x9F of Windows-1252; the five bytes it leaves undefined map
// to the C1 control character of the same value, as the platform does, so
// that every byte comes back unchanged.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t UnicodeOf(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

char ByteOf(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
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
