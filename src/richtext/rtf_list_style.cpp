#include "richtext/rtf_list_style.h"

#include <algorithm>

namespace pw {

namespace {

constexpr int kLevelDecimal = 0;
constexpr int kLevelUpperRoman = 1;
constexpr int kLevelLowerRoman = 2;
constexpr int kLevelUpperAlpha = 3;
constexpr int kLevelLowerAlpha = 4;
constexpr int kLevelBullet = 23;
constexpr int kLevelNoNumber = 255;

constexpr char16_t kDisc = u'\u2022';
constexpr char16_t kCircle = u'\u25E6';
constexpr char16_t kSquare = u'\u25AA';

bool IsRomanNumeral(const QString& text, bool upper) {
  const QString digits = upper ? QStringLiteral("IVXLCDM") : QStringLiteral("ivxlcdm");
  return std::all_of(text.begin(), text.end(), [&](QChar c) { return digits.contains(c); });
}

}  // namespace

RtfListKind RtfListKindOf(QTextListFormat::Style style) {
  switch (style) {
    case QTextListFormat::ListCircle:
      return {kLevelBullet, nullptr, kCircle};
    case QTextListFormat::ListSquare:
      return {kLevelBullet, nullptr, kSquare};
    case QTextListFormat::ListDecimal:
      return {kLevelDecimal, "pndec", 0};
    case QTextListFormat::ListLowerAlpha:
      return {kLevelLowerAlpha, "pnlcltr", 0};
    case QTextListFormat::ListUpperAlpha:
      return {kLevelUpperAlpha, "pnucltr", 0};
    case QTextListFormat::ListLowerRoman:
      return {kLevelLowerRoman, "pnlcrm", 0};
    case QTextListFormat::ListUpperRoman:
      return {kLevelUpperRoman, "pnucrm", 0};
    default:
      return {kLevelBullet, nullptr, kDisc};
  }
}

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
  const QString text = bullet.trimmed();
  // U+F06F and U+F0A7 are "o" and the square of the symbol fonts word
  // processors draw their circle and square bullets with; U+E009 and U+E00B
  // the circle and square of the symbol font of others.
  static const QString kCircles = QStringLiteral("o\u25E6\u25CB\uF06F\uE009");
  static const QString kSquares = QStringLiteral("\u00A7\u25AA\u25A0\uF0A7\uE00B");
  if (text.size() == 1 && kCircles.contains(text)) return QTextListFormat::ListCircle;
  if (text.size() == 1 && kSquares.contains(text)) return QTextListFormat::ListSquare;
  return QTextListFormat::ListDisc;
}

QTextListFormat::Style ListStyleOfLevel(int levelNumbering, const QString& levelText) {
  switch (levelNumbering) {
    case -1:
    case kLevelNoNumber:
      return QTextListFormat::ListStyleUndefined;
    case kLevelUpperRoman:
      return QTextListFormat::ListUpperRoman;
    case kLevelLowerRoman:
      return QTextListFormat::ListLowerRoman;
    case kLevelUpperAlpha:
      return QTextListFormat::ListUpperAlpha;
    case kLevelLowerAlpha:
      return QTextListFormat::ListLowerAlpha;
    case kLevelBullet: {
      // \leveltext is the length of the text (a control byte, dropped on
      // reading), the text and a closing ";".
      QString text = levelText;
      if (text.endsWith(u';')) text.chop(1);
      return BulletStyleOfCharacter(text);
    }
    default:
      return QTextListFormat::ListDecimal;  // Arabic and the other number forms
  }
}

}  // namespace pw
