// Noticing that the wall clock moved differently from the monotonic clock:
// after the machine slept (the monotonic clock, and every timer counted on
// it, stood still meanwhile) or when the clock was set. The minute timer
// counts on the monotonic clock, so without this a reminder due during the
// sleep would wait up to another minute after waking.
#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace pw {

class ClockJumpDetector {
 public:
  // A drift below this is clock correction, not a jump.
  static constexpr qint64 kToleranceMs = 20000;

  // Takes a reading of both clocks; true when the wall clock moved more than
  // kToleranceMs further (or less far) than the monotonic clock since the
  // previous reading. The first reading only sets the start.
  bool Jumped(const QDateTime& wallNow, qint64 monotonicMs);

 private:
  QDateTime lastWall_;
  qint64 lastMonotonicMs_ = 0;
};

}  // namespace pw
