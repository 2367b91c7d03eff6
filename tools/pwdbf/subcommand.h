// The subcommands of pwdbf: each file of this folder defines one, with its
// usage line, its help text, the options it takes and what it runs.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "arguments.h"

namespace pw::pwdbf {

struct Subcommand {
  std::string name;
  std::string usage;  // the line after "usage: pwdbf "
  std::string help;   // what it does, its options; ends with a line break
  std::vector<OptionDefinition> options;
  std::size_t minOperands = 1;
  std::size_t maxOperands = 1;
  // Returns the exit code; throws ToolError on failure.
  int (*run)(const Arguments& arguments) = nullptr;
};

Subcommand InfoCommand();
Subcommand DumpCommand();
Subcommand CheckCommand();
Subcommand ReindexCommand();
Subcommand PackCommand();
Subcommand CreateCommand();
Subcommand AppendCommand();
Subcommand EvalCommand();

}  // namespace pw::pwdbf
