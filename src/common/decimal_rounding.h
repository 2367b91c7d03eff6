// How a number becomes decimal text, as every dBASE program writes it: the
// double is first rounded to the 15 significant digits it holds (so 2.675,
// stored as 2.67499999..., counts as 2.675), then to the places asked for
// with halves away from zero (2.5 -> 3, -1.25 -> -1.3, 0.125 -> 0.13).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pw {

// The significant digits a double is taken to hold.
inline constexpr int kSignificantDigits = 15;

// Fixed notation with `decimals` places (below 0 counts as 0) and "." as the
// point; "-" only before a text that is not all zeros. Nothing for a value
// that is not finite.
std::optional<std::string> FixedDecimalText(double value, int decimals);

// The whole number the value rounds to under the same rule, saturated to the
// 64-bit range; 0 for a value that is not a number.
std::int64_t RoundToWhole(double value);

}  // namespace pw
