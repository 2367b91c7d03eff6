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

}  // namespace pw
