// Where a reminder window opens: ReminderPosition 0 to 3 put it in a corner
// of the screen (its full size, not the work area), any other value keeps
// the window's design position.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace pw {

enum ReminderCorner {
  kTopLeftCorner = 0,
  kTopRightCorner = 1,
  kBottomLeftCorner = 2,
  kBottomRightCorner = 3,
};

// The top-left point of a window of outer size `outer`.
QPoint ReminderWindowPlace(int reminderPosition, QSize outer, const QRect& screen,
                           QPoint designPlace);

}  // namespace pw
