#include "engine/memo/add_memo.h"

#include "engine/memo/memo_state.h"
#include "engine/memo/memo_store.h"
#include "engine/table/work_areas.h"

namespace pw {

std::int32_t AddMemo(const std::string& text) {
  MemoState* memo = CheckMemoAvailable("AddMemo");
  std::uint32_t block = 0;
  if (memo != nullptr) StoreText(*memo, 0, text, CurrentArea().oem, "AddMemo", &block);
  return static_cast<std::int32_t>(block);
}

}  // namespace pw
