// How the tool fails: a ToolError carries the file it concerns and a
// one-line text; main prints it on standard error and exits with 1.
#pragma once

#include <stdexcept>
#include <string>

namespace pw::pwdbf {

class ToolError : public std::runtime_error {
 public:
  ToolError(const std::string& file, const std::string& text)
      : std::runtime_error(file.empty() ? text : file + ": " + text) {}
};

// The engine's pending error as one UTF-8 line: its error text and detail
// ("Error # 32 (File sharing violation) ..."), line breaks made blanks.
std::string EngineErrorLine();

// Throws ToolError(file, EngineErrorLine()).
[[noreturn]] void ThrowEngineError(const std::string& file);

}  // namespace pw::pwdbf
