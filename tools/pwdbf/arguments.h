// The command line of one subcommand: positional operands and options of the
// forms "--name value", "--name=value" and "--flag". Each subcommand states
// the options it takes; anything else is refused with a one-line message.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pw::pwdbf {

struct OptionDefinition {
  std::string name;  // without the leading "--"
  bool takesValue = false;
};

class Arguments {
 public:
  // Parses `words` (the words after the subcommand). False with `*error`
  // set for an unknown option, a missing value, or a positional count
  // outside [minOperands, maxOperands]. "--help" anywhere is always taken.
  bool Parse(const std::vector<std::string>& words, const std::vector<OptionDefinition>& options,
             std::size_t minOperands, std::size_t maxOperands, std::string* error);

  bool HelpAsked() const { return Has("help"); }
  const std::vector<std::string>& Operands() const { return operands_; }
  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;

 private:
  std::vector<std::string> operands_;
  std::map<std::string, std::string> values_;
};

// Splits `text` at every `separator` outside double or single quotes.
std::vector<std::string> SplitOutsideQuotes(const std::string& text, char separator);

}  // namespace pw::pwdbf
