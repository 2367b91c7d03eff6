// The expression engine: compiles a text of the expression language once
// (AssignExpr) and evaluates it against the current record as often as
// needed (Evaluate). Compiled expressions are kept in a registry until they
// are released; each is owned by whoever compiled it.
#pragma once

#include <string_view>

#include "engine/expr/compiled_expr.h"

namespace pw {

struct WorkArea;

// Compiles `text` against the fields of the current work area. Returns null
// after reporting the error (351 for a syntax error, type mismatch or parser
// stack overflow; 217 for lack of memory). Clears a previous error 350-363.
CompiledExpr* AssignExpr(std::string_view text);

// Evaluates against the current record of the current work area and returns
// the result location (compiled_expr.h); null when given null. The location
// stays valid until the next evaluation of `expr` or its release.
const void* Evaluate(CompiledExpr* expr);
// The same against the current record of `area`, read as the current one.
const void* EvaluateInArea(CompiledExpr* expr, WorkArea& area);

// Frees `expr` when it is in the registry and sets the reference to null;
// does nothing for an expression not in it.
void ReleaseExpr(CompiledExpr*& expr);
bool IsRegisteredExpr(const CompiledExpr* expr);

std::string_view SourceText(const CompiledExpr& expr);

// 0 when `text` compiles to type L; 359 when it is empty after trailing
// blanks and control characters are removed; 362 when it compiles to
// another type; otherwise the code that compilation set. Reports nothing.
int ForCheck(std::string_view text);

// The key expression the index engine makes current, and its evaluation
// (null when none is current).
void SetCurrentKeyExpr(CompiledExpr* expr);
CompiledExpr* CurrentKeyExpr();
const void* EvaluateCurrentKey();

// The working pool of an expression of type M, 256 bytes unless changed;
// a memo text is cut to one byte less. Returns the previous size.
int MemoWorkingSize();
int SetMemoWorkingSize(int size);

}  // namespace pw
