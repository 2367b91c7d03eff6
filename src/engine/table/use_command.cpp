#include "engine/table/use_command.h"

#include <algorithm>

#include "common/code_page.h"
#include "common/text_routines.h"

namespace pw {
namespace {

constexpr std::string_view kExclusive = "EXCLUSIVE";
constexpr std::string_view kAlias = "ALIAS";

bool IsAliasCharacter(unsigned char c) {
  return IsAnsiLetter(c) || (c >= '0' && c <= '9') || c == '_';
}

bool IsAliasName(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return IsAliasCharacter(static_cast<unsigned char>(c));
  });
}

// The last blank-separated word of `text` and the text before it, trimmed.
std::string_view LastWord(std::string_view text, std::string_view* before) {
  const std::size_t blank = text.find_last_of(' ');
  if (blank == std::string_view::npos) {
    *before = {};
    return text;
  }
  std::string_view rest = text.substr(0, blank);
  while (!rest.empty() && rest.back() == ' ') rest.remove_suffix(1);
  *before = rest;
  return text.substr(blank + 1);
}

// Takes the options off the end of `text` into `result`; gives the rest.
// With `nameFirst` the first word is the file name, never an option.
std::string_view TakeTrailingOptions(std::string_view text, bool nameFirst, UseCommand& result) {
  for (;;) {
    std::string_view before;
    const std::string_view last = LastWord(text, &before);
    if (text.empty() || (nameFirst && before.empty())) return text;
    if (Upper(last) == kExclusive) {
      result.exclusive = true;
      text = before;
      continue;
    }
    std::string_view beforeAlias;
    const std::string_view word = LastWord(before, &beforeAlias);
    if ((nameFirst && beforeAlias.empty()) || Upper(word) != kAlias || !IsAliasName(last)) {
      return text;
    }
    result.alias = Upper(last.substr(0, kMaxAliasLength));  // the first ALIAS holds
    text = beforeAlias;
  }
}

}  // namespace

UseCommand ParseUseCommand(const std::string& command) {
  UseCommand result;
  std::string_view text = command;
  if (!text.empty() && (text.front() == '"' || text.front() == '\'')) {
    const std::size_t close = text.find(text.front(), 1);
    if (close != std::string_view::npos) {
      result.fileName = std::string(text.substr(1, close - 1));
      const std::string rest = AllTrim(std::string(text.substr(close + 1)));
      TakeTrailingOptions(rest, false, result);
      return result;
    }
  }
  result.fileName = AllTrim(std::string(TakeTrailingOptions(text, true, result)));
  return result;
}

}  // namespace pw
