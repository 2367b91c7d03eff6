// The list styles of QTextListFormat and how RTF spells them: list table
// levels (\levelnfcN and the bullet of \leveltext), old-style paragraph
// numbering (\pndec, \pntxtb) and the marker texts readers without lists show.
#pragma once

#include <QString>
#include <QTextListFormat>

namespace pw {

// A list table and a \pn group name at most nine levels, 0 to 8.
inline constexpr int kRtfListLevels = 9;

// How the writer spells one list style.
struct RtfListKind {
  int levelNumbering;       // \levelnfcN: 0 decimal, 1/2 Roman, 3/4 letters, 23 bullet
  const char* pnNumbering;  // the \pn word of a numbered style, null for bullets
  char16_t bullet;          // the bullet character, 0 for numbered styles
};
RtfListKind RtfListKindOf(QTextListFormat::Style style);

// The list style a marker text such as "1.", "b)", "iv." or "•" stands for.
QTextListFormat::Style ListStyleOfMarker(const QString& marker);
// The bullet style of a bullet character: the marks word processors use for
// circle and square bullets (including those of the symbol fonts), a disc
// otherwise.
QTextListFormat::Style BulletStyleOfCharacter(const QString& bullet);
// The style of a list table level: its \levelnfc and, for bullets, the text
// of its \leveltext. ListStyleUndefined for levels without numbers (255) and
// for levels that gave no \levelnfc.
QTextListFormat::Style ListStyleOfLevel(int levelNumbering, const QString& levelText);

}  // namespace pw
