#include "app/controller/note_placement.h"

#include <cmath>

namespace pw {

namespace {

// Half of a whole number, a remaining .5 rounded to the even neighbour.
int HalfToEven(int value) {
  return static_cast<int>(std::lrint(value / 2.0));
}

}  // namespace

QPoint PlaceNewNote(int code, int width, int height, QSize screen) {
  const int right = screen.width() - width;
  const int bottom = screen.height() - height;
  switch (code) {
    case 0:
      return {HalfToEven(right), HalfToEven(bottom)};
    case 1:
      return {0, 0};
    case 2:
      return {right, 0};
    case 3:
      return {0, bottom};
    case 4:
      return {right, bottom};
    default:
      return {code, 0};
  }
}

std::optional<QPoint> CascadedPlace(QPoint place, int step, QSize note, QRect area) {
  const QPoint middle = QRect(place, note).center();
  const int dx = middle.x() <= area.center().x() ? 1 : -1;
  const int dy = middle.y() <= area.center().y() ? 1 : -1;
  const QPoint moved = place + QPoint(dx, dy) * (step * kCascadeOffset);
  if (!area.contains(QRect(moved, note))) return std::nullopt;
  return moved;
}

}  // namespace pw
