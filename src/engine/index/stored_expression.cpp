#include "engine/index/stored_expression.h"

#include "common/code_page.h"

namespace pw {

std::string NormalizeStoredExpression(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  char closing = 0;  // the quote that ends the quoted text we are in
  for (const char c : text) {
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
    } else if (c != ' ' && c != '\t') {
      out.push_back(static_cast<char>(UpperChar(static_cast<unsigned char>(c))));
    }
  }
  return out;
}

}  // namespace pw
