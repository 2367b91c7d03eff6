#include "engine/memo/memo_state.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/work_areas.h"

namespace pw {

MemoState* MemoOf(WorkArea& area) {
  // Only the memo unit fills this slot.
  auto* memo = static_cast<MemoState*>(area.memo.get());
  return memo != nullptr && memo->file.IsOpen() ? memo : nullptr;
}

MemoState* CheckMemoAvailable(const std::string& operation) {
  WorkArea& area = CurrentArea();
  if (!area.occupied) {
    SetError(kNoDatabaseInUse, " [" + operation + "]");
    return nullptr;
  }
  MemoState* memo = MemoOf(area);
  if (memo == nullptr) SetError(kNoMemo, area.fileName + " No Memo Field [" + operation + "]");
  return memo;
}

void ReportStreamError(std::uint16_t code, std::int64_t block, const std::string& operation) {
  WorkArea& area = CurrentArea();
  const MemoState* memo = MemoOf(area);
  SetError(code, std::to_string(block) + " " + (memo != nullptr ? memo->path : "") + " Record # " +
                     std::to_string(area.recordNumber) + " [" + operation + "]");
}

void ReportMemoError(const MemoState& memo, std::uint16_t code, const std::string& operation) {
  SetError(code, memo.path + " [" + operation + "]");
}

}  // namespace pw
