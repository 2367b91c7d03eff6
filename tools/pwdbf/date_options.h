// The date settings every subcommand compiles its expressions under, as
// options that every subcommand takes: --date LAYOUT and --century on|off,
// with dBASE's own defaults (american, off), so that keys and conditions
// with DTOC() give the texts the program that wrote the index gave. Two-digit
// years belong to the hundred years that start 70 years before this one.
#pragma once

#include <string>
#include <vector>

#include "arguments.h"

namespace pw::pwdbf {

std::vector<OptionDefinition> DateOptionDefinitions();

// The help paragraph of the options; ends with a line break.
std::string DateOptionsHelp();

// Sets the engine's date settings from the options: false with `*error` set
// for a layout or century value it does not know.
bool ApplyDateOptions(const Arguments& arguments, std::string* error);

}  // namespace pw::pwdbf
