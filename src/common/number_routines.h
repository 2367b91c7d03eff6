// Number routines of the engine: formatting with blank fill and reading
// typed numbers, using the decimal and thousands separators of the date
// settings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

// n in decimal, blank-filled on the left up to width (0: no fill).
std::string StrInt(long long n, int width);
// Fixed notation with `decimals` places, rounded as FixedDecimalText rounds
// (decimal_rounding.h), blank-filled on the left up to width; the point
// becomes the decimal separator. Empty for a value that is not finite.
std::string StrNum(double x, int width, int decimals);
// The leading whole number of a typed text, clamped to -32768..32767.
std::int16_t ValInt(std::string_view text);
// A typed number as plain signed decimal text with "." as point, e.g.
// "$ -1,234.50" -> "-1234.50"; empty when there is no number.
std::string CleanNumberText(std::string_view text);
// The whole-number part of CleanNumberText, clamped to 32 bits; 0 when empty.
std::int32_t ValLongText(std::string_view text);

}  // namespace pw
