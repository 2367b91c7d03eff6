// The list styles that markers and bullet characters stand for.
#include <QString>
#include <QTextListFormat>
#include <algorithm>

#include "richtext/rtf_interpreter.h"

namespace pw::rtf {

namespace {

bool IsRomanNumeral(const QString& text, bool upper) {
  const QString digits = upper ? QStringLiteral("IVXLCDM") : QStringLiteral("ivxlcdm");
  return std::all_of(text.begin(), text.end(), [&](QChar c) { return digits.contains(c); });
}

}  // namespace

QTextListFormat::Style ListStyleOfMarker(const QString& marker) {
  QString text = marker.trimmed();
  while (!text.isEmpty() && (text.back() == u'.' || text.back() == u')')) text.chop(1);
  if (text.isEmpty()) return QTextListFormat::ListDisc;
  if (text.front().isDigit()) return QTextListFormat::ListDecimal;
  if (text.size() > 1 || text == u"i") {
    if (IsRomanNumeral(text, false)) return QTextListFormat::ListLowerRoman;
    if (IsRomanNumeral(text, true)) return QTextListFormat::ListUpperRoman;
  }
  if (text.size() == 1 && text.front().isLower() && text.front() != u'o') {
    return QTextListFormat::ListLowerAlpha;
  }
  if (text.size() == 1 && text.front().isUpper()) return QTextListFormat::ListUpperAlpha;
  return QTextListFormat::ListDisc;
}

QTextListFormat::Style BulletStyleOfCharacter(const QString& bullet) {
  QString text = bullet.trimmed();
  if (text == u"o" || text == u"\u25E6" || text == u"\u25CB") return QTextListFormat::ListCircle;
  if (text == u"\u00A7" || text == u"\u25AA" || text == u"\u25A0") {
    return QTextListFormat::ListSquare;
  }
  return QTextListFormat::ListDisc;
}

}  // namespace pw::rtf
