// A coarse clock for timeouts: whole seconds since the system started.
#pragma once

#include <cstdint>

namespace pw {

// Milliseconds of the monotonic clock divided by 1000.
std::int64_t SecondsCounter();

}  // namespace pw
