#include "engine/memo/memo_line_writer.h"

#include "engine/memo/memo_state.h"
#include "engine/memo/memo_store.h"
#include "engine/table/work_areas.h"

namespace pw {

bool MemoLineWriter::EditMemo(std::int32_t oldBlock) {
  text_.clear();
  lines_ = false;
  oldBlock_ = oldBlock > 0 ? static_cast<std::uint32_t>(oldBlock) : 0;
  return CheckMemoAvailable("EditMemo") != nullptr;
}

void MemoLineWriter::WriteLine(const std::string& line) {
  if (lines_) text_ += "\r\n";
  text_ += line;
  lines_ = true;
}

bool MemoLineWriter::CloseMemo(std::int32_t* block) {
  *block = 0;
  MemoState* memo = CheckMemoAvailable("CloseMemo");
  if (memo == nullptr) return false;
  std::uint32_t stored = 0;
  const bool ok = StoreText(*memo, oldBlock_, text_, CurrentArea().oem, "EditMemo", &stored);
  text_.clear();
  lines_ = false;
  *block = static_cast<std::int32_t>(stored);
  return ok;
}

}  // namespace pw
