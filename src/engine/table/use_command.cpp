#include "engine/table/use_command.h"

#include <algorithm>

#include "common/code_page.h"
#include "common/text_routines.h"

namespace pw {
namespace {

constexpr std::string_view kExclusive = " EXCLUSIVE";
constexpr std::string_view kAlias = " ALIAS ";
constexpr std::size_t kMaxAliasLength = 64;

bool IsWordCharacter(unsigned char c) {
  return IsAnsiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '\\';
}

}  // namespace

UseCommand ParseUseCommand(const std::string& command) {
  // The upper-case copy finds the options; the original keeps the file
  // name's case. Upper-casing never changes the length.
  std::string upper = Upper(command) + ' ';
  std::string original = command + ' ';
  UseCommand result;
  std::size_t at = 0;
  while ((at = upper.find(kExclusive, at)) != std::string::npos) {
    const std::size_t after = at + kExclusive.size();
    if (after < upper.size() && IsWordCharacter(static_cast<unsigned char>(upper[after]))) {
      at = after;
      continue;
    }
    upper.erase(at, kExclusive.size());
    original.erase(at, kExclusive.size());
    result.exclusive = true;
  }
  if (const std::size_t alias = upper.find(kAlias); alias != std::string::npos) {
    const std::size_t start = alias + kAlias.size();
    const std::size_t end = upper.find(' ', start);
    result.alias = upper.substr(start, std::min(end - start, kMaxAliasLength));
    original.erase(alias);
  }
  result.fileName = AllTrim(original);
  return result;
}

}  // namespace pw
