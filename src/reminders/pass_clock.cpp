#include "reminders/pass_clock.h"

namespace pw {
namespace {

class SystemClock : public PassClock {
 public:
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace

std::unique_ptr<PassClock> CreateSystemClock() {
  return std::make_unique<SystemClock>();
}

}  // namespace pw
