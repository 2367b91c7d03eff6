#include "engine/index/stored_expression.h"

#include "common/code_page.h"

namespace pw {
namespace {

// Characters that continue a name, a number or a dotted keyword.
bool JoinsTokens(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.';
}

}  // namespace

std::string NormalizeStoredExpression(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  char closing = 0;        // the quote that ends the quoted text we are in
  bool blankSeen = false;  // blanks were dropped since the last character kept
  for (const char c : text) {
    if (closing == 0 && (c == ' ' || c == '\t')) {
      blankSeen = true;
      continue;
    }
    // A blank between two token characters stays: dropping it would glue
    // "A .AND. B" into the single unknown name "A.AND.B".
    if (blankSeen && closing == 0 && !out.empty() && JoinsTokens(out.back()) && JoinsTokens(c)) {
      out.push_back(' ');
    }
    blankSeen = false;
    if (closing != 0) {
      if (c == closing) {
        closing = 0;
        out.push_back('"');
      } else {
        out.push_back(c);
      }
    } else if (c == '"' || c == '\'') {
      closing = c;
      out.push_back('"');
    } else {
      out.push_back(static_cast<char>(UpperChar(static_cast<unsigned char>(c))));
    }
  }
  return out;
}

}  // namespace pw
