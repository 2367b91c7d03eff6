#include "reminders/reminder_position.h"

namespace pw {

QPoint ReminderWindowPlace(int reminderPosition, QSize outer, const QRect& screen,
                           QPoint designPlace) {
  const int right = screen.left() + screen.width() - outer.width();
  const int bottom = screen.top() + screen.height() - outer.height();
  switch (reminderPosition) {
    case kTopLeftCorner:
      return screen.topLeft();
    case kTopRightCorner:
      return {right, screen.top()};
    case kBottomLeftCorner:
      return {screen.left(), bottom};
    case kBottomRightCorner:
      return {right, bottom};
    default:
      return designPlace;
  }
}

}  // namespace pw
