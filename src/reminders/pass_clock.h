// The clock the minute passes read today and the time of day from: the
// local wall clock, or a clock the tests set.
#pragma once

#include <QDateTime>
#include <memory>

namespace pw {

class PassClock {
 public:
  virtual ~PassClock() = default;
  virtual QDateTime Now() const = 0;
};

// The local date and time of day.
std::unique_ptr<PassClock> CreateSystemClock();

}  // namespace pw
