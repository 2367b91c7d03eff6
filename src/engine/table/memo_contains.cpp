#include "engine/table/memo_contains.h"

#include <string_view>

#include "common/code_page.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/number_routines.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/engine_state.h"

namespace pw {

bool MemoContains(const std::string& search, const std::string& stored) {
  MemoHooks* memo = RegisteredHooks().memo;
  if (memo == nullptr) {
    SetError(kInvalidParameter, "MEMO unit not linked in [Count/Sum/Continue]");
    return false;
  }
  const std::int32_t block = ValLongText(stored);
  if (block < 1 || search.empty()) return false;
  const bool caseSensitive = ProcessState().locate.caseSensitive;
  std::string upper;
  return memo->FindMemoLine(block, [&](std::string_view line) {
    if (caseSensitive) return line.find(search) != std::string_view::npos;
    upper = Upper(line);
    return upper.find(search) != std::string::npos;
  });
}

}  // namespace pw
