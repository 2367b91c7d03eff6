#include "engine/expr/expr_errors.h"

#include <algorithm>

#include "common/error_state.h"

namespace pw {
namespace {

constexpr std::size_t kExcerptLength = 51;
constexpr std::size_t kEarlyPosition = 50;

}  // namespace

std::string OperatorMismatchMessage(std::string_view operatorName) {
  return "PARSER:Type mismatch in expression \"" + std::string(operatorName) + "\"";
}

std::string FunctionMismatchMessage(std::string_view functionName) {
  return "PARSER:Type mismatch in function \"" + std::string(functionName) + "\"";
}

std::string ErrorExcerpt(std::string_view text, std::size_t position) {
  const bool late = position > kEarlyPosition;
  const std::size_t start = late ? std::min(position - kExcerptLength, text.size()) : 0;
  const std::string_view shown = text.substr(start, kExcerptLength);
  const bool moreFollows = start + shown.size() < text.size();
  return (late ? "[..." : "[") + std::string(shown) + (moreFollows ? "...]" : "]");
}

void ReportCompileError(std::string_view message, std::string_view text, std::size_t position) {
  SetError(351, "Error in expression : " + std::string(message) + "\r\n" +
                    ErrorExcerpt(text, position) + "\r\n [AssignExpr]");
}

}  // namespace pw
