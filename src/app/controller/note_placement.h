// Where a new note goes on the screen: centred or in one of the corners,
// by the placement code its template holds.
#pragma once

#include <QPoint>
#include <QSize>

namespace pw {

// Code 0 centre (halves rounded to even), 1 top left, 2 top right, 3 bottom
// left, 4 bottom right; any other code puts the left edge at the code itself
// and the top edge at 0.
QPoint PlaceNewNote(int code, int width, int height, QSize screen);

}  // namespace pw
