#include "reminders/clock_jump.h"

#include <cstdlib>

namespace pw {

bool ClockJumpDetector::Jumped(const QDateTime& wallNow, qint64 monotonicMs) {
  const bool first = !lastWall_.isValid();
  const qint64 drift = first ? 0 : lastWall_.msecsTo(wallNow) - (monotonicMs - lastMonotonicMs_);
  lastWall_ = wallNow;
  lastMonotonicMs_ = monotonicMs;
  return std::llabs(drift) > kToleranceMs;
}

}  // namespace pw
