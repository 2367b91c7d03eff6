// The registry of compiled expressions that have not been released.
#pragma once

#include <memory>

#include "engine/expr/compiled_expr.h"

namespace pw {

// Takes ownership; the expression lives until ReleaseExpr.
CompiledExpr* RegisterExpr(std::unique_ptr<CompiledExpr> expr);

}  // namespace pw
