// Number functions and the conversions between numbers and texts. Counts
// and divisors are N values truncated toward zero (whole_number.h).
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "common/decimal_rounding.h"
#include "engine/expr/handlers.h"
#include "engine/expr/machine.h"
#include "engine/expr/whole_number.h"

namespace pw::ops {
namespace {

constexpr double kQuotientOfZeroDivisor = 1e250;
constexpr std::int64_t kDefaultStrWidth = 10;
// A fraction below 1 times ten this often stays finite; beyond it every
// digit a double holds has long been whole, so the bound changes nothing but
// keeps a huge count from running for ever.
constexpr std::int64_t kRoundPlacesLimit = 308;

// Leading blanks, sign, digits, point and digits, E and signed digits: the
// length of the longest such start of `text`; 0 when it holds no digit.
std::size_t DecimalNumberLength(std::string_view text) {
  std::size_t at = 0;
  auto digits = [&] {
    const std::size_t from = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    return at - from;
  };
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  std::size_t mantissa = digits();
  if (at < text.size() && text[at] == '.') {
    ++at;
    mantissa += digits();
  }
  if (mantissa == 0) return 0;
  const std::size_t end = at;
  if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (digits() > 0) return at;
  }
  return end;
}

}  // namespace

void Abs(Machine& machine, const Instruction&) {
  machine.PushNumber(std::fabs(machine.PopNumber()));
}

// INT and ROUND truncate in double arithmetic, which agrees with a 64-bit
// truncation wherever that has a value and stays exact beyond its range.
void Int(Machine& machine, const Instruction&) {
  machine.PushNumber(std::trunc(machine.PopNumber()));
}

// N, N or D, D: the result keeps the arguments' type.
void Max(Machine& machine, const Instruction&) {
  const ValueType type = machine.TopType();
  const double right = machine.PopNumber();
  const double left = machine.PopNumber();
  const double result = left > right ? left : right;
  type == ValueType::Date ? machine.PushDate(result) : machine.PushNumber(result);
}

void Min(Machine& machine, const Instruction&) {
  const ValueType type = machine.TopType();
  const double right = machine.PopNumber();
  const double left = machine.PopNumber();
  const double result = left < right ? left : right;
  type == ValueType::Date ? machine.PushDate(result) : machine.PushNumber(result);
}

// The remainder has the sign of the dividend. A divisor that truncates to 0
// is reported like a division by zero and gives the same 1e250.
void Mod(Machine& machine, const Instruction&) {
  const std::int64_t divisor = TruncateToWhole(machine.PopNumber());
  const std::int64_t dividend = TruncateToWhole(machine.PopNumber());
  if (divisor == 0) {
    machine.ReportDivideByZero();
    machine.PushNumber(kQuotientOfZeroDivisor);
    return;
  }
  // -1 divides everything; the test also avoids the overflow of min % -1.
  machine.PushNumber(divisor == -1 ? 0.0 : static_cast<double>(dividend % divisor));
}

// The fraction is cut, not rounded: whole part w, fraction (n - w) times ten
// `places` times, truncated, divided by ten as often; each step a double.
void Round(Machine& machine, const Instruction&) {
  const std::int64_t places = std::min(TruncateToWhole(machine.PopNumber()), kRoundPlacesLimit);
  const double value = machine.PopNumber();
  const double whole = std::trunc(value);
  if (places <= 0) {
    machine.PushNumber(whole);
    return;
  }
  double fraction = value - whole;
  for (std::int64_t i = 0; i < places; ++i) fraction *= 10;
  fraction = std::trunc(fraction);
  for (std::int64_t i = 0; i < places; ++i) fraction /= 10;
  machine.PushNumber(whole + fraction);
}

// STR(n [, width [, decimals]]): fixed notation rounded to the decimals (0
// when omitted) as decimal_rounding.h rounds, right-aligned in the width (10
// when omitted, at most 255); a text wider than that gives as many asterisks.
void Str(Machine& machine, const Instruction& instruction) {
  std::int64_t decimals = 0;
  std::int64_t width = kDefaultStrWidth;
  if (instruction.argumentCount == 3)
    decimals = std::max<std::int64_t>(TruncateToWhole(machine.PopNumber()), 0);
  if (instruction.argumentCount >= 2) width = TruncateToWhole(machine.PopNumber());
  const double value = machine.PopNumber();
  width = std::clamp<std::int64_t>(width, 0, kMaxResultText);
  char* out = machine.scratch();
  const std::optional<std::string> text =
      decimals <= width ? FixedDecimalText(value, static_cast<int>(decimals)) : std::nullopt;
  if (!text || static_cast<std::int64_t>(text->size()) > width) {
    std::memset(out, '*', static_cast<std::size_t>(width));
    machine.PushText(out, static_cast<std::size_t>(width));
    return;
  }
  const std::size_t padding = static_cast<std::size_t>(width) - text->size();
  std::memset(out, ' ', padding);
  std::memcpy(out + padding, text->data(), text->size());
  machine.PushText(out, static_cast<std::size_t>(width));
}

// Trailing blanks and control characters are removed, then the longest
// decimal number at the start (after blanks) is converted; the rest of the
// text is ignored. No number gives 0.
void Val(Machine& machine, const Instruction&) {
  std::string_view text = machine.PopText();
  while (!text.empty() && static_cast<unsigned char>(text.back()) < 33) text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  text = text.substr(0, DecimalNumberLength(text));
  double value = 0;
  if (!text.empty()) {
    const bool negative = text.front() == '-';
    if (negative || text.front() == '+') text.remove_prefix(1);
    std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (negative) value = -value;
  }
  machine.PushNumber(value);
}

}  // namespace pw::ops
