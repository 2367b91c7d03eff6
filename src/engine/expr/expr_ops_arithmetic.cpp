// Arithmetic on N and D (day numbers, not rounded) and the two ways of
// joining texts.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/expr/handlers.h"
#include "engine/expr/machine.h"

namespace pw::ops {
namespace {

constexpr double kQuotientOfZeroDivisor = 1e250;

}  // namespace

void AddNumbers(Machine& machine, const Instruction&) {
  const double right = machine.PopNumber();
  machine.PushNumber(machine.PopNumber() + right);
}

// N + D and D + N.
void AddDays(Machine& machine, const Instruction&) {
  const double right = machine.PopNumber();
  machine.PushDate(machine.PopNumber() + right);
}

// N - N, and D - D: the days between.
void SubtractNumbers(Machine& machine, const Instruction&) {
  const double right = machine.PopNumber();
  machine.PushNumber(machine.PopNumber() - right);
}

void SubtractDays(Machine& machine, const Instruction&) {
  const double right = machine.PopNumber();
  machine.PushDate(machine.PopNumber() - right);
}

void Multiply(Machine& machine, const Instruction&) {
  const double right = machine.PopNumber();
  machine.PushNumber(machine.PopNumber() * right);
}

void Divide(Machine& machine, const Instruction&) {
  const double right = machine.PopNumber();
  const double left = machine.PopNumber();
  if (right == 0) {
    machine.ReportDivideByZero();
    machine.PushNumber(kQuotientOfZeroDivisor);
    return;
  }
  machine.PushNumber(left / right);
}

// e raised to (b ln a). The logarithm has no value for a <= 0; there the
// result is pow(a, b) where that is defined (an integral power of a negative
// base, a positive power of 0, anything to the power 0) and 0 otherwise.
void Power(Machine& machine, const Instruction&) {
  const double exponent = machine.PopNumber();
  const double base = machine.PopNumber();
  if (base > 0) {
    machine.PushNumber(std::exp(exponent * std::log(base)));
    return;
  }
  const double result = std::pow(base, exponent);
  const bool defined = !std::isnan(result) && !(base == 0 && exponent < 0);
  machine.PushNumber(defined ? result : 0);
}

void Negate(Machine& machine, const Instruction&) {
  machine.PushNumber(-machine.PopNumber());
}

// The texts lie one after the other in the pool; the result is cut at 255
// characters.
void ConcatTexts(Machine& machine, const Instruction&) {
  const std::string_view right = machine.PopText();
  const std::string_view left = machine.PopText();
  char* out = machine.scratch();
  const std::size_t leftLength = std::min(left.size(), kMaxResultText);
  const std::size_t rightLength = std::min(right.size(), kMaxResultText - leftLength);
  std::memcpy(out, left.data(), leftLength);
  std::memcpy(out + leftLength, right.data(), rightLength);
  machine.PushText(out, leftLength + rightLength);
}

// Left without its trailing blanks, then right, then the blanks removed.
void ConcatMovingBlanks(Machine& machine, const Instruction&) {
  const std::string_view right = machine.PopText();
  std::string_view left = machine.PopText();
  const std::size_t kept = left.find_last_not_of(' ') + 1;  // npos + 1 == 0: all blanks
  const std::size_t blanks = left.size() - kept;
  char* out = machine.scratch();
  std::size_t length = std::min(kept, kMaxResultText);
  std::memcpy(out, left.data(), length);
  const std::size_t rightLength = std::min(right.size(), kMaxResultText - length);
  std::memcpy(out + length, right.data(), rightLength);
  length += rightLength;
  const std::size_t blankLength = std::min(blanks, kMaxResultText - length);
  std::memset(out + length, ' ', blankLength);
  machine.PushText(out, length + blankLength);
}

}  // namespace pw::ops
