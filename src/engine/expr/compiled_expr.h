// A compiled expression: what AssignExpr builds from a text once and
// Evaluate runs as often as needed. Code, literals, value stack and working
// pool are all sized at compile time, so evaluation allocates nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/expr/expr_value.h"
#include "engine/expr/instruction.h"

namespace pw {

struct CompiledExpr {
  std::string source;  // the text as given, at most 255 characters
  ValueType type = ValueType::Number;
  std::uint16_t width = 0;    // 0 for a character result of unknown width
  std::uint8_t decimals = 0;  // N only
  std::string literals;       // literal area: each literal followed by a zero byte
  std::vector<Instruction> code;
  std::vector<Value> stack;  // as deep as the code ever needs, at least one entry
  std::vector<char> pool;    // working pool: poolSize bytes and a guard byte
  std::uint32_t poolSize = 0;

  // Where Evaluate leaves the result: C and M a zero-terminated text at the
  // pool base; N and D a double and L an int32 in the bottom stack entry.
  const void* ResultLocation() const {
    switch (type) {
      case ValueType::Character:
      case ValueType::Memo:
        return pool.data();
      case ValueType::Logical:
        return &stack.front().logical;
      default:
        return &stack.front().number;
    }
  }
};

}  // namespace pw
