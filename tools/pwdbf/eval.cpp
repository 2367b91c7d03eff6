// pwdbf eval: compiles an expression against a table and evaluates it on
// one record, as filters, keys and FOR conditions are.
#include <charconv>
#include <cstdio>
#include <iostream>

#include "common/decimal_rounding.h"
#include "common/error_state.h"
#include "engine/expr/day_number.h"
#include "engine/expr/expr_value.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/go.h"
#include "engine/table/position_queries.h"
#include "engine_session.h"
#include "subcommand.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

std::string FixedText(double value, int decimals) {
  return FixedDecimalText(value, decimals).value_or("not finite");
}

std::string DateText(double day) {
  if (!IsWritableDay(day)) return "blank";
  const CivilDate date = CivilDateOf(static_cast<std::int64_t>(day));
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::string ValueText(const ExprShape& shape, const void* result) {
  switch (shape.type) {
    case 'N':
      return FixedText(*static_cast<const double*>(result), shape.decimals);
    case 'D':
      return DateText(*static_cast<const double*>(result));
    case 'L':
      return *static_cast<const std::int32_t*>(result) != 0 ? ".T." : ".F.";
    default:
      return "\"" + Utf8FromCp1252(static_cast<const char*>(result)) + "\"";
  }
}

std::int32_t RecordNumber(const std::string& text) {
  std::int32_t number = 0;
  const auto [at, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || at != text.data() + text.size() || number < 1) {
    throw ToolError("", "--record needs a record number, not " + text);
  }
  return number;
}

int RunEval(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  std::string text;
  if (!Cp1252FromUtf8(arguments.Operands()[1], &text)) {
    throw ToolError("", "the expression has characters Windows-1252 cannot store");
  }
  OpenTable open(table, OpenPurpose::kRead, arguments.Has("ansi"));
  if (const auto record = arguments.Value("record")) {
    ClearEngineError();
    Go(RecordNumber(*record));
    if (EngineErrorCode() != 0) ThrowEngineError(table);
  }
  ExprHooks& expr = *RegisteredHooks().expr;
  ClearEngineError();
  std::unique_ptr<UnitState> compiled = expr.AssignExpr(text);
  if (compiled == nullptr) ThrowEngineError(table);
  const ExprShape shape = expr.Shape(*compiled);
  const void* result = expr.Evaluate(*compiled);
  if (result == nullptr || EngineErrorCode() != 0) ThrowEngineError(table);
  std::cout << "record:   " << RecNo() << (dEOF() ? " (end of file)" : "") << "\n"
            << "type:     " << shape.type << "\n"
            << "width:    " << shape.width << "\n"
            << "decimals: " << static_cast<int>(shape.decimals) << "\n"
            << "value:    " << ValueText(shape, result) << "\n";
  compiled.reset();
  open.Close();
  return 0;
}

}  // namespace

Subcommand EvalCommand() {
  return {"eval",
          "eval TABLE EXPR [--record N] [--ansi]",
          "Compiles the expression against the table and evaluates it on record N (the\n"
          "first record when not given); prints the result's type, width, decimals and\n"
          "value, or the engine's error. The table is opened read-only.\n\n"
          "  --record N  the record to evaluate on\n"
          "  --ansi      the table stores Windows-1252 text, not OEM (code page 850)\n",
          {{"record", true}, {"ansi", false}},
          2,
          2,
          RunEval};
}

}  // namespace pw::pwdbf
