// The operators of the expression language: their precedence, the operand
// types each accepts with the result and handler, and the name by which a
// type mismatch is reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/expr/expr_value.h"
#include "engine/expr/instruction.h"
#include "engine/expr/lexer.h"

namespace pw {

enum class Operator : std::uint8_t {
  Add,
  Subtract,
  Multiply,
  Divide,
  Power,
  Equal,
  NotEqual,
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
  ExactEqual,
  Contains,
  And,
  Or,
  Not,
  UnaryPlus,
  UnaryMinus,
};

// Binding levels of the binary operators, tightest first; prefix operators
// are level 1.
inline constexpr int kLoosestLevel = 9;

// The binary operator a token stands for, if any.
std::optional<Operator> BinaryOperatorOf(const Token& token);
// The prefix operator a token stands for, if any.
std::optional<Operator> PrefixOperatorOf(const Token& token);
int LevelOf(Operator op);
std::string_view MessageNameOf(Operator op);

struct OperatorRule {
  ValueType result;
  Handler handler;  // null: nothing is emitted (prefix +)
};

// The rule for `op` on the operand types (`right` is ignored for prefix
// operators); none when the types do not fit.
std::optional<OperatorRule> FindOperatorRule(Operator op, ValueType left, ValueType right);

}  // namespace pw
