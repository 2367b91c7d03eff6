#include "desktop/screen_fit.h"

#include <algorithm>
#include <limits>

namespace pw {

namespace {

// Gap between two ranges on one axis; 0 when they overlap.
long long Gap(int firstStart, int firstEnd, int secondStart, int secondEnd) {
  if (firstEnd < secondStart) return static_cast<long long>(secondStart) - firstEnd;
  if (secondEnd < firstStart) return static_cast<long long>(firstStart) - secondEnd;
  return 0;
}

long long SquaredDistance(const QRect& a, const QRect& b) {
  const long long dx = Gap(a.left(), a.right(), b.left(), b.right());
  const long long dy = Gap(a.top(), a.bottom(), b.top(), b.bottom());
  return dx * dx + dy * dy;
}

// The start within [screenStart, screenEnd] nearest to `start` for a
// length of `length`.
int ClampStart(int start, int length, int screenStart, int screenLength) {
  const int last = screenStart + std::max(0, screenLength - length);
  return std::clamp(start, screenStart, last);
}

}  // namespace

QPoint PlaceInsideScreens(const QRect& bounds, const QList<QRect>& screens) {
  const QRect* nearest = nullptr;
  long long nearestDistance = std::numeric_limits<long long>::max();
  for (const QRect& screen : screens) {
    if (screen.intersects(bounds)) return bounds.topLeft();
    const long long distance = SquaredDistance(bounds, screen);
    if (distance < nearestDistance) {
      nearestDistance = distance;
      nearest = &screen;
    }
  }
  if (nearest == nullptr) return bounds.topLeft();
  return {ClampStart(bounds.left(), bounds.width(), nearest->left(), nearest->width()),
          ClampStart(bounds.top(), bounds.height(), nearest->top(), nearest->height())};
}

}  // namespace pw
