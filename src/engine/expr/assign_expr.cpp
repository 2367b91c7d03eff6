// Compilation: a text of the expression language to a registered compiled
// expression with its code, literals, working pool, result type and width.
#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "common/error_state.h"
#include "engine/expr/expr_errors.h"
#include "engine/expr/expr_registry.h"
#include "engine/expr/expression.h"
#include "engine/expr/parser.h"
#include "engine/expr/result_width.h"
#include "engine/table/engine_state.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr std::uint16_t kFirstExprError = 350;
constexpr std::uint16_t kLastExprError = 363;
// The stored source text keeps a one-byte length.
constexpr std::size_t kLongestText = 255;

// A zero byte and the byte 255 end the text, inside literals too.
std::string_view TextAsRead(std::string_view text) {
  const std::size_t end = text.find_first_of(std::string_view("\0\xff", 2));
  return end == std::string_view::npos ? text : text.substr(0, end);
}

}  // namespace

int MemoWorkingSize() {
  return ProcessState().memoWorkingSize;
}

int SetMemoWorkingSize(int size) {
  return std::exchange(ProcessState().memoWorkingSize, std::max(size, 0));
}

CompiledExpr* AssignExpr(std::string_view text) {
  const std::uint16_t previous = EngineErrorCode();
  if (previous >= kFirstExprError && previous <= kLastExprError) ClearEngineError();
  text = TextAsRead(text);
  // A longer text would be compiled from its first characters only, which
  // could silently give another expression (a filter cut after ".AND. B"):
  // it is rejected where the reading would have stopped.
  if (text.size() > kLongestText) {
    ReportCompileError(kSyntaxError, text, kLongestText + 1);
    return nullptr;
  }
  try {
    auto expr = std::make_unique<CompiledExpr>();
    ParseTrackers trackers;
    if (!ParseExpression(text, CurrentArea(), *expr, trackers)) return nullptr;
    expr->source = std::string(text);
    expr->poolSize = expr->type == ValueType::Memo ? static_cast<std::uint32_t>(MemoWorkingSize())
                                                   : trackers.poolSize;
    expr->pool.assign(expr->poolSize + 1, '\0');
    SetResultWidth(*expr, trackers);
    return RegisterExpr(std::move(expr));
  } catch (const std::bad_alloc&) {
    SetError(217, " [AssignExpr]");
    return nullptr;
  }
}

std::string_view SourceText(const CompiledExpr& expr) {
  return expr.source;
}

}  // namespace pw
