#include "engine/memo/memo_line_reader.h"

#include <algorithm>

#include "common/code_page.h"
#include "common/error_codes.h"
#include "engine/memo/memo_entry.h"
#include "engine/memo/memo_state.h"
#include "engine/memo/memo_text_mode.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr std::size_t kMaxLineLength = 254;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kSoftBreak = static_cast<char>(0x8D);

}  // namespace

bool MemoLineReader::AssignMemo(std::int32_t block) {
  text_.clear();
  next_ = 0;
  translate_ = false;
  MemoState* memo = CheckMemoAvailable("AssignMemo");
  if (memo == nullptr) return false;
  if (block < 1) return true;
  EntryExtent extent;
  bool complete = true;
  if (int code = ReadEntryData(*memo, static_cast<std::uint32_t>(block), false, &text_, &extent,
                               &complete);
      code != 0) {
    text_.clear();
    ReportStreamError(static_cast<std::uint16_t>(code), block, "AssignMemo");
    return false;
  }
  const auto* first = reinterpret_cast<const unsigned char*>(text_.data());
  translate_ = CurrentArea().oem &&
               DecideTextMode(first, std::min(text_.size(), kMemoPieceSize)) == TextMode::Text;
  if (!complete) ReportStreamError(kInvalidMemoAddress, block, "AssignMemo");
  return complete;
}

bool MemoLineReader::GetMemo(std::string& line) {
  if (next_ >= text_.size()) return false;
  const auto begin = text_.begin() + static_cast<std::ptrdiff_t>(next_);
  const auto end = std::find_if(begin, text_.end(),
                                [](char c) { return c == kCarriageReturn || c == kSoftBreak; });
  if (static_cast<std::size_t>(end - begin) > kMaxLineLength) {
    // Wrap at the last blank that leaves a non-empty line, else cut hard.
    const auto window = begin + kMaxLineLength;
    const auto blank =
        std::find(std::make_reverse_iterator(window), std::make_reverse_iterator(begin + 1), ' ');
    if (blank.base() != begin + 1) {
      line.assign(begin, blank.base() - 1);
      next_ = static_cast<std::size_t>(blank.base() - text_.begin());
    } else {
      line.assign(begin, window);
      next_ += kMaxLineLength;
    }
  } else {
    line.assign(begin, end);
    next_ = static_cast<std::size_t>(end - text_.begin());
    if (next_ < text_.size()) {
      const bool carriageReturn = text_[next_] == kCarriageReturn;
      ++next_;
      if (carriageReturn && next_ < text_.size() && text_[next_] == kLineFeed) ++next_;
    }
  }
  if (translate_) OemToAnsiBuffer(reinterpret_cast<unsigned char*>(line.data()), line.size());
  return true;
}

}  // namespace pw
