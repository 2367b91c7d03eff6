// Values of the expression language while an expression is evaluated: the
// five value types and one value-stack entry.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pw {

enum class ValueType : char {
  Character = 'C',
  Number = 'N',
  Date = 'D',
  Logical = 'L',
  Memo = 'M',
};

// A date field of blanks, an invalid date text or an impossible day; greater
// than every real day number.
inline constexpr double kBlankDate = 1e100;

// Longest text a function or an operator produces; longer results are cut.
inline constexpr std::size_t kMaxResultText = 255;

// One value-stack entry. N and D use `number`, L uses `logical`; C and M are
// `length` bytes at `offset` in the working pool, followed by a zero byte.
struct Value {
  double number = 0;
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
  std::int32_t logical = 0;
  ValueType type = ValueType::Number;
};

}  // namespace pw
