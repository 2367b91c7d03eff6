// The keywords of the expression language: the functions with every spelling
// they accept, their argument signatures and the working-pool bytes each
// occurrence claims, and the logical constants and operators.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/expr/expr_value.h"
#include "engine/expr/instruction.h"

namespace pw {

enum class KeywordKind : std::uint8_t { Function, True, False, Not, And, Or };

// One accepted argument list: one type letter per argument.
struct Signature {
  std::string_view arguments;
  ValueType result;
};

struct Keyword {
  std::string_view name;  // full spelling, used in messages
  KeywordKind kind;
  std::uint16_t poolWidth;
  Handler handler;  // functions only
  std::span<const Signature> signatures;
};

// The keyword spelt `name` (upper case, exact); null when there is none.
const Keyword* FindKeyword(std::string_view name);

}  // namespace pw
