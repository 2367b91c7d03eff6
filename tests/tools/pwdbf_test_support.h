// Shared set-up of the pwdbf tests: the built tool run as a child process
// in a temporary folder, its exit code and both output streams captured,
// and JSON-lines output parsed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/temp_dir.h"

namespace pw::testing {

using Json = nlohmann::ordered_json;

struct ToolRun {
  int exitCode = -1;  // -1 when the tool did not exit normally
  std::string out;
  std::string err;
};

class PwdbfTest : public ::testing::Test {
 protected:
  // Runs pwdbf with `arguments`, `input` on its standard input; through
  // `launcher` (a command and its options, such as setpriv) when given.
  ToolRun Run(const std::vector<std::string>& arguments, const std::string& input = "",
              const std::vector<std::string>& launcher = {}) const;
  // Runs the program `words[0]` (a path) with the other words as arguments.
  ToolRun RunProgram(std::vector<std::string> words, const std::string& input = "") const;
  // Runs pwdbf and fails the test unless it exits with 0.
  ToolRun RunOk(const std::vector<std::string>& arguments, const std::string& input = "") const;

  std::string Path(const std::string& name) const { return dir_.file(name); }
  // "pwdbf create" of table `name` (a path in the folder); returns its path.
  std::string Create(const std::string& name, const std::string& fields,
                     const std::string& index = "") const;
  // "pwdbf append" of `records` (a JSON array) through a file.
  void Append(const std::string& table, const Json& records) const;
  // "pwdbf dump" with `options`, parsed line by line.
  std::vector<Json> Dump(const std::string& table,
                         const std::vector<std::string>& options = {}) const;

  static void WriteFile(const std::string& path, const std::string& bytes);
  static std::string ReadFile(const std::string& path);

  pw::test::TempDir dir_;
};

// Parses every line of `text` as JSON.
std::vector<Json> JsonLines(const std::string& text);
// The values of `field` in `records`.
std::vector<Json> Column(const std::vector<Json>& records, const std::string& field);

}  // namespace pw::testing
