#include "common/decimal_rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace pw {
namespace {

// The significant digits of |value| (kSignificantDigits of them, correctly
// rounded) and the power of ten of the first one.
struct Significand {
  std::string digits;
  int exponent = 0;
};

Significand SignificandOf(double magnitude) {
  // d.dddddddddddddde[+-]x
  char text[40];
  const std::to_chars_result written = std::to_chars(
      text, text + sizeof text, magnitude, std::chars_format::scientific, kSignificantDigits - 1);
  const char* const e = std::find(text, written.ptr, 'e');
  Significand result;
  result.digits.assign(1, text[0]);
  result.digits.append(text + 2, static_cast<std::size_t>(e - (text + 2)));
  const char* exponent = e + 1;
  if (*exponent == '+') ++exponent;
  std::from_chars(exponent, written.ptr, result.exponent);
  return result;
}

// Adds one to a text of decimal digits.
void Increment(std::string& digits) {
  for (auto at = digits.rbegin(); at != digits.rend(); ++at) {
    if (*at != '9') {
      ++*at;
      return;
    }
    *at = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::optional<std::string> FixedDecimalText(double value, int decimals) {
  if (!std::isfinite(value)) return std::nullopt;
  decimals = std::max(decimals, 0);
  const Significand significand = SignificandOf(std::fabs(value));
  const std::string& digits = significand.digits;
  // The digits down to the place 10^-decimals, as one whole number.
  const long long keep = static_cast<long long>(significand.exponent) + 1 + decimals;
  std::string kept;
  if (keep > 0) {
    const auto taken = static_cast<std::size_t>(std::min<long long>(keep, digits.size()));
    kept = digits.substr(0, taken);
    kept.append(static_cast<std::size_t>(keep) - taken, '0');
  }
  if (keep >= 0 && keep < static_cast<long long>(digits.size()) &&
      digits[static_cast<std::size_t>(keep)] >= '5') {
    Increment(kept);
  }
  const auto places = static_cast<std::size_t>(decimals);
  if (kept.size() < places + 1) kept.insert(0, places + 1 - kept.size(), '0');
  const bool zero = kept.find_first_not_of('0') == std::string::npos;
  if (places > 0) kept.insert(kept.size() - places, 1, '.');
  if (value < 0 && !zero) kept.insert(0, 1, '-');
  return kept;
}

std::int64_t RoundToWhole(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLimit = 9223372036854775807.0;  // 2^63
  if (value >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (value <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  const std::string text = *FixedDecimalText(value, 0);
  std::int64_t whole = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), whole).ec != std::errc()) {
    return value < 0 ? std::numeric_limits<std::int64_t>::min()
                     : std::numeric_limits<std::int64_t>::max();
  }
  return whole;
}

}  // namespace pw
