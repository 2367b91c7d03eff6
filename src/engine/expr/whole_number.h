// The conversion of N values to whole numbers that counts, positions,
// widths, character codes and MOD use: truncation toward zero.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace pw {

// Values beyond the 64-bit range saturate at its ends and NaN gives 0, so
// that no out-of-range conversion takes place.
inline std::int64_t TruncateToWhole(double value) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (std::isnan(value)) return 0;
  if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(value);
}

}  // namespace pw
