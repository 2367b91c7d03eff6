#include "tool_error.h"

#include "common/error_state.h"
#include "common/error_text.h"
#include "text_1252.h"

namespace pw::pwdbf {

std::string EngineErrorLine() {
  const std::uint16_t code = EngineErrorCode();
  std::string message = ErrorMessage();
  if (message.empty()) message = code == 0 ? "failed" : ErrorText(code);
  std::string line;
  for (char c : message) {
    if (c == '\r' || c == '\n') {
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += c;
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return Utf8FromCp1252(line);
}

void ThrowEngineError(const std::string& file) {
  throw ToolError(file, EngineErrorLine());
}

}  // namespace pw::pwdbf
