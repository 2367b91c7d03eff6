#include "import/note_palette.h"

#include <array>
#include <limits>

#include "settings/windows_color.h"

namespace pw {

namespace {

constexpr std::array<QRgb, 8> kPalette = {
    0xFFFF99,  // light yellow, the note window's own colour
    0xCCFFCC,  // green
    0xCCE5FF,  // blue
    0xFFCCE5,  // pink
    0xE5CCFF,  // purple
    0xFFDDAA,  // orange
    0xE0E0E0,  // grey
    0xFFFFFF,  // white
};

// Weighted as the eye weighs red, green and blue ("redmean").
long Distance(QRgb a, QRgb b) {
  const long meanRed = (qRed(a) + qRed(b)) / 2;
  const long red = qRed(a) - qRed(b);
  const long green = qGreen(a) - qGreen(b);
  const long blue = qBlue(a) - qBlue(b);
  return ((512 + meanRed) * red * red >> 8) + 4 * green * green +
         ((767 - meanRed) * blue * blue >> 8);
}

}  // namespace

std::int32_t NearestNoteColor(const QColor& color) {
  QRgb best = kPalette.front();
  if (color.isValid()) {
    long bestDistance = std::numeric_limits<long>::max();
    for (const QRgb candidate : kPalette) {
      const long distance = Distance(color.rgb(), candidate);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = candidate;
      }
    }
  }
  return WindowsValueOfColor(QColor(best));
}

}  // namespace pw
