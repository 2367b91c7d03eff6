#include "common/seconds_counter.h"

#include <time.h>

namespace pw {

std::int64_t SecondsCounter() {
  timespec now{};
  if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return 0;
  const std::int64_t milliseconds =
      static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
  return milliseconds / 1000;
}

}  // namespace pw
