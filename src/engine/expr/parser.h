// The parser of the expression language and its code generator. Code is
// emitted as each construct is recognised, so it comes out in postfix order;
// operand types are checked when their operation is recognised, and the
// first syntax error, type mismatch or parser stack overflow ends the parse.
//
// Grammar, binding tightest first, binary operators left-associative:
//   1 prefix .NOT. + -   2 ^ **   3 * /   4 + -   5 < > <= >=   6 $ ==
//   7 = <> #   8 .AND.   9 .OR.
// Operands: literals, numbers, .T., .F., fields, function calls, ( expr ).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/expr/compiled_expr.h"

namespace pw {

struct WorkArea;

// The width trackers of the lexer at the end of a successful parse.
struct ParseTrackers {
  std::uint16_t lastWidth = 0;
  std::uint8_t lastDecimals = 0;
  std::uint32_t poolSize = 0;
};

// Parses `text`, looking names up in `current`, into the code, literals,
// result type and stack size of `expr`. Returns false after reporting 351.
bool ParseExpression(std::string_view text, WorkArea& current, CompiledExpr& expr,
                     ParseTrackers& trackers);

}  // namespace pw
