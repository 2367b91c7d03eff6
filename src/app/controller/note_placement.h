// Where a new note goes on the screen: centred or in one of the corners,
// by the placement code its template holds.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace pw {

// Code 0 centre (halves rounded to even), 1 top left, 2 top right, 3 bottom
// left, 4 bottom right; any other code puts the left edge at the code itself
// and the top edge at 0.
QPoint PlaceNewNote(int code, int width, int height, QSize screen);

// Notes made one after another at the same place cascade: the `step`-th
// one moves by `step` offsets towards the middle of `area`. Nullopt when
// that takes the note out of `area` (the cascade starts again).
inline constexpr int kCascadeOffset = 24;
std::optional<QPoint> CascadedPlace(QPoint place, int step, QSize note, QRect area);

}  // namespace pw
