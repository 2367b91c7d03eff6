// The handlers that run the instructions of compiled code, by family. Each
// pops its operands from the machine (last argument first) and pushes its
// result; the in-place text functions change the top entry instead.
#pragma once

#include "engine/expr/instruction.h"

namespace pw::ops {

#define PW_EXPR_HANDLER(name) void name(Machine& machine, const Instruction& instruction)

// Operands (expr_operands.cpp): constants, field values and the record.
PW_EXPR_HANDLER(PushTextConstant);
PW_EXPR_HANDLER(PushNumberConstant);
PW_EXPR_HANDLER(PushLogicalConstant);
PW_EXPR_HANDLER(FetchCharacter);
PW_EXPR_HANDLER(FetchNumber);
PW_EXPR_HANDLER(FetchLogical);
PW_EXPR_HANDLER(FetchDate);
PW_EXPR_HANDLER(FetchMemo);
PW_EXPR_HANDLER(Recno);
PW_EXPR_HANDLER(Deleted);

// Arithmetic (expr_ops_arithmetic.cpp).
PW_EXPR_HANDLER(AddNumbers);
PW_EXPR_HANDLER(AddDays);
PW_EXPR_HANDLER(SubtractNumbers);
PW_EXPR_HANDLER(SubtractDays);
PW_EXPR_HANDLER(Multiply);
PW_EXPR_HANDLER(Divide);
PW_EXPR_HANDLER(Power);
PW_EXPR_HANDLER(Negate);
PW_EXPR_HANDLER(ConcatTexts);
PW_EXPR_HANDLER(ConcatMovingBlanks);

// Comparison and logic (expr_ops_compare.cpp).
PW_EXPR_HANDLER(EqualNumbers);
PW_EXPR_HANDLER(EqualTexts);
PW_EXPR_HANDLER(EqualLogicals);
PW_EXPR_HANDLER(ExactEqualTexts);
PW_EXPR_HANDLER(ContainsText);
PW_EXPR_HANDLER(NotEqualNumbers);
PW_EXPR_HANDLER(NotEqualTexts);
PW_EXPR_HANDLER(NotEqualLogicals);
PW_EXPR_HANDLER(LessNumbers);
PW_EXPR_HANDLER(LessTexts);
PW_EXPR_HANDLER(LessEqualNumbers);
PW_EXPR_HANDLER(LessEqualTexts);
PW_EXPR_HANDLER(GreaterNumbers);
PW_EXPR_HANDLER(GreaterTexts);
PW_EXPR_HANDLER(GreaterEqualNumbers);
PW_EXPR_HANDLER(GreaterEqualTexts);
PW_EXPR_HANDLER(And);
PW_EXPR_HANDLER(Or);
PW_EXPR_HANDLER(Not);

// Text functions (expr_functions_text.cpp).
PW_EXPR_HANDLER(Asc);
PW_EXPR_HANDLER(At);
PW_EXPR_HANDLER(Chr);
PW_EXPR_HANDLER(Iif);
PW_EXPR_HANDLER(Left);
PW_EXPR_HANDLER(Len);
PW_EXPR_HANDLER(Lower);
PW_EXPR_HANDLER(Ltrim);
PW_EXPR_HANDLER(Replicate);
PW_EXPR_HANDLER(Right);
PW_EXPR_HANDLER(Rtrim);
PW_EXPR_HANDLER(Soundex);
PW_EXPR_HANDLER(Space);
PW_EXPR_HANDLER(Stuff);
PW_EXPR_HANDLER(Substr);
PW_EXPR_HANDLER(Upper);

// Number functions (expr_functions_number.cpp).
PW_EXPR_HANDLER(Abs);
PW_EXPR_HANDLER(Int);
PW_EXPR_HANDLER(Max);
PW_EXPR_HANDLER(Min);
PW_EXPR_HANDLER(Mod);
PW_EXPR_HANDLER(Round);
PW_EXPR_HANDLER(Str);
PW_EXPR_HANDLER(Val);

// Date functions (expr_functions_date.cpp).
PW_EXPR_HANDLER(Cdow);
PW_EXPR_HANDLER(Cmonth);
PW_EXPR_HANDLER(Ctod);
PW_EXPR_HANDLER(Date);
PW_EXPR_HANDLER(Day);
PW_EXPR_HANDLER(Dow);
PW_EXPR_HANDLER(Dtoc);
PW_EXPR_HANDLER(Dtos);
PW_EXPR_HANDLER(Month);
PW_EXPR_HANDLER(Year);

#undef PW_EXPR_HANDLER

}  // namespace pw::ops
