// Lengths shared by the RTF reader and writer. RTF measures in twips
// (1/20 point); QTextDocument margins are in pixels at 96 dots per inch, so
// one pixel is 15 twips.
#pragma once

#include <cmath>

namespace pw {

inline constexpr double kTwipsPerPixel = 15.0;

// A list paragraph's text starts one list level (720 twips, half an inch)
// further in per level, and its first line hangs 360 twips to the left for
// the marker: the geometry word processors give their bullets. QTextDocument
// draws the marker in the list's own indent, so these are taken off \li and
// \fi on reading and added back on writing.
inline constexpr int kListLevelTwips = 720;
inline constexpr int kListHangTwips = 360;

inline int PixelsToTwips(double pixels) {
  return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}
inline double TwipsToPixels(int twips) {
  return twips / kTwipsPerPixel;
}

}  // namespace pw
