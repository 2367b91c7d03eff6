// The watch that notices a sleep or a set clock by comparing the wall clock
// with the monotonic one.
#include <gtest/gtest.h>

#include "reminders/clock_jump.h"

namespace pw {
namespace {

TEST(ClockJumpTest, ASleepOrASetClockIsAJumpAndSteadyTimeIsNot) {
  ClockJumpDetector detector;
  const QDateTime start(QDate(2026, 5, 14), QTime(8, 0));
  EXPECT_FALSE(detector.Jumped(start, 1000));
  EXPECT_FALSE(detector.Jumped(start.addSecs(5), 6000));
  // A few seconds of correction are no jump.
  EXPECT_FALSE(detector.Jumped(start.addSecs(12), 11000));
  // The machine slept an hour: the monotonic clock moved 5 s.
  EXPECT_TRUE(detector.Jumped(start.addSecs(3612), 16000));
  EXPECT_FALSE(detector.Jumped(start.addSecs(3617), 21000));
  // The clock was set back two minutes.
  EXPECT_TRUE(detector.Jumped(start.addSecs(3502), 26000));
}

}  // namespace
}  // namespace pw
