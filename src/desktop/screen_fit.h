// Keeping a window reachable: a window whose bounds lie entirely outside
// every screen (a monitor was unplugged, the resolution changed) is moved
// just inside the nearest one.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace pw {

// The top-left corner `bounds` should have: unchanged when it overlaps a
// screen (or there is none), otherwise the nearest position at which it
// lies inside the nearest screen (its top-left corner on the screen when it
// is larger than the screen).
QPoint PlaceInsideScreens(const QRect& bounds, const QList<QRect>& screens);

}  // namespace pw
