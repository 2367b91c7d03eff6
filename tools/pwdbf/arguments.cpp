#include "arguments.h"

namespace pw::pwdbf {
namespace {

const OptionDefinition* FindOption(const std::vector<OptionDefinition>& options,
                                   const std::string& name) {
  for (const OptionDefinition& option : options) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace

bool Arguments::Parse(const std::vector<std::string>& words,
                      const std::vector<OptionDefinition>& options, std::size_t minOperands,
                      std::size_t maxOperands, std::string* error) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
      operands_.push_back(word);
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
    if (name == "help") {
      values_[name] = "";
      return true;
    }
    const OptionDefinition* option = FindOption(options, name);
    if (option == nullptr) {
      *error = "unknown option --" + name;
      return false;
    }
    if (!option->takesValue) {
      if (equals != std::string::npos) {
        *error = "option --" + name + " takes no value";
        return false;
      }
      values_[name] = "";
    } else if (equals != std::string::npos) {
      values_[name] = word.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      values_[name] = words[++i];
    } else {
      *error = "option --" + name + " needs a value";
      return false;
    }
  }
  if (operands_.size() < minOperands) {
    *error = "missing operand";
    return false;
  }
  if (operands_.size() > maxOperands) {
    *error = "unexpected operand " + operands_[maxOperands];
    return false;
  }
  return true;
}

std::optional<std::string> Arguments::Value(const std::string& name) const {
  const auto found = values_.find(name);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

std::vector<std::string> SplitOutsideQuotes(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  char quote = 0;
  for (char c : text) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == separator) {
      parts.emplace_back();
      continue;
    }
    parts.back() += c;
  }
  return parts;
}

}  // namespace pw::pwdbf
