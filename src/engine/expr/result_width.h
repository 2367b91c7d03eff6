// The result width and decimals of a compiled expression, which the index
// engine uses for keys, derived from the lexer's trackers:
//   C  the last width when the pool size is the last width + 1, else 0
//   D  8;  L  1;  M  256
//   N  decimals = the last decimals (2 while it holds the marker 19); width
//      = the last width when that is at least decimals + 2, else decimals + 11
#pragma once

#include "engine/expr/compiled_expr.h"
#include "engine/expr/parser.h"

namespace pw {

void SetResultWidth(CompiledExpr& expr, const ParseTrackers& trackers);

}  // namespace pw
