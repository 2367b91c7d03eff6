// Compile errors of expressions (code 351): the message, an excerpt of the
// text around the place where the error arose, and the operation's name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pw {

inline constexpr std::string_view kSyntaxError = "Syntax error";
inline constexpr std::string_view kParserStackOverflow = "Parser_stack_overflow";

std::string OperatorMismatchMessage(std::string_view operatorName);
std::string FunctionMismatchMessage(std::string_view functionName);

// The excerpt of `text` for an error after `position` characters were read:
// up to 51 characters, from the start while the position is at most 50,
// else from 51 characters before it; "[..." opens a late excerpt and "...]"
// closes one that more text follows.
std::string ErrorExcerpt(std::string_view text, std::size_t position);

// Reports code 351 with the message and the excerpt.
void ReportCompileError(std::string_view message, std::string_view text, std::size_t position);

}  // namespace pw
