#include "engine/memo/copy_memo.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/memo/memo_entry.h"
#include "engine/memo/memo_header.h"
#include "engine/memo/memo_lock.h"
#include "engine/memo/memo_state.h"
#include "engine/memo/memo_store.h"
#include "engine/table/work_areas.h"

namespace pw {

std::int32_t CopyMemo(int sourceArea, std::int32_t block) {
  MemoState* target = CheckMemoAvailable("CopyMemo");
  if (target == nullptr) return 0;
  if (sourceArea < 1 || sourceArea > kWorkAreaCount || MemoOf(WorkAreaAt(sourceArea)) == nullptr) {
    SetError(kNoMemo, "Work area " + std::to_string(sourceArea) + " No Memo Field [CopyMemo]");
    return 0;
  }
  if (block < 1) return 0;
  const MemoState& source = *MemoOf(WorkAreaAt(sourceArea));
  std::string data;
  EntryExtent extent;
  bool complete = true;
  int code =
      ReadEntryData(source, static_cast<std::uint32_t>(block), true, &data, &extent, &complete);
  if (code == 0 && !complete) code = kInvalidMemoAddress;
  if (code != 0) {
    ReportMemoError(source, static_cast<std::uint16_t>(code), "CopyMemo");
    return 0;
  }
  const std::uint32_t copied = StoreEntry(*target, 0, data, "CopyMemo");
  if (copied == 0) {
    UnlockMemo(*target);
    return 0;
  }
  return UpdateMemoHeader(*target) ? static_cast<std::int32_t>(copied) : 0;
}

}  // namespace pw
