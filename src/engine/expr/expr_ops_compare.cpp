// Comparisons and logic. Texts compare as unsigned bytes; no case folding.
//   =   the left text begins with the right one, which is not empty
//   ==  byte-for-byte identical
//   <>  not identical (so abc = ab and abc <> ab both hold)
//   $   the left text occurs in the right one and is not empty
// .AND. and .OR. have both operands evaluated already: no short circuit.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/expr/handlers.h"
#include "engine/expr/machine.h"

namespace pw::ops {
namespace {

struct Texts {
  std::string_view left;
  std::string_view right;
};

Texts PopTexts(Machine& machine) {
  const std::string_view right = machine.PopText();
  return {machine.PopText(), right};
}

struct Numbers {
  double left;
  double right;
};

Numbers PopNumbers(Machine& machine) {
  const double right = machine.PopNumber();
  return {machine.PopNumber(), right};
}

// <0, 0, >0: bytes as unsigned numbers; a proper prefix is the smaller.
int CompareBytes(std::string_view left, std::string_view right) {
  const int order = std::memcmp(left.data(), right.data(), std::min(left.size(), right.size()));
  if (order != 0) return order;
  return left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
}

}  // namespace

void EqualNumbers(Machine& machine, const Instruction&) {
  const Numbers n = PopNumbers(machine);
  machine.PushLogical(!(n.left < n.right) && !(n.left > n.right));
}

void NotEqualNumbers(Machine& machine, const Instruction&) {
  const Numbers n = PopNumbers(machine);
  machine.PushLogical(n.left < n.right || n.left > n.right);
}

void LessNumbers(Machine& machine, const Instruction&) {
  const Numbers n = PopNumbers(machine);
  machine.PushLogical(n.left < n.right);
}

void LessEqualNumbers(Machine& machine, const Instruction&) {
  const Numbers n = PopNumbers(machine);
  machine.PushLogical(n.left <= n.right);
}

void GreaterNumbers(Machine& machine, const Instruction&) {
  const Numbers n = PopNumbers(machine);
  machine.PushLogical(n.left > n.right);
}

void GreaterEqualNumbers(Machine& machine, const Instruction&) {
  const Numbers n = PopNumbers(machine);
  machine.PushLogical(n.left >= n.right);
}

void EqualTexts(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(!t.right.empty() && t.left.starts_with(t.right));
}

void ExactEqualTexts(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(t.left == t.right);
}

void NotEqualTexts(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(t.left != t.right);
}

void ContainsText(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(!t.left.empty() && t.right.find(t.left) != std::string_view::npos);
}

void LessTexts(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(CompareBytes(t.left, t.right) < 0);
}

void LessEqualTexts(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(CompareBytes(t.left, t.right) <= 0);
}

void GreaterTexts(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(CompareBytes(t.left, t.right) > 0);
}

void GreaterEqualTexts(Machine& machine, const Instruction&) {
  const Texts t = PopTexts(machine);
  machine.PushLogical(CompareBytes(t.left, t.right) >= 0);
}

void EqualLogicals(Machine& machine, const Instruction&) {
  const bool right = machine.PopLogical();
  machine.PushLogical(machine.PopLogical() == right);
}

void NotEqualLogicals(Machine& machine, const Instruction&) {
  const bool right = machine.PopLogical();
  machine.PushLogical(machine.PopLogical() != right);
}

void And(Machine& machine, const Instruction&) {
  const bool right = machine.PopLogical();
  const bool left = machine.PopLogical();
  machine.PushLogical(left && right);
}

void Or(Machine& machine, const Instruction&) {
  const bool right = machine.PopLogical();
  const bool left = machine.PopLogical();
  machine.PushLogical(left || right);
}

void Not(Machine& machine, const Instruction&) {
  machine.PushLogical(!machine.PopLogical());
}

}  // namespace pw::ops
