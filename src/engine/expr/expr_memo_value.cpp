// The value of a memo field: the memo entry's lines joined without their
// line breaks, cut to one byte less than the working pool (the memo working
// size). A work area without records gives the empty text.
#include <charconv>
#include <string>
#include <string_view>

#include "engine/expr/handlers.h"
#include "engine/expr/machine.h"
#include "engine/memo/memo_line_reader.h"
#include "engine/table/work_area.h"
#include "engine/table/work_areas.h"

namespace pw::ops {
namespace {

int NumberOfArea(const WorkArea& area) {
  for (int number = 1; number <= kWorkAreaCount; ++number) {
    if (&WorkAreaAt(number) == &area) return number;
  }
  return 0;
}

// The stored block number, right-aligned with leading blanks; 0 for blanks.
std::int32_t StoredBlock(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  std::int32_t block = 0;
  std::from_chars(text.data() + first, text.data() + text.size(), block);
  return block;
}

// The memo text of `block` in work area `number`, which the line reader
// reads as the current one; at most `limit` bytes.
std::string MemoText(int number, std::int32_t block, std::size_t limit) {
  const int previous = CurrentWorkArea();
  if (number != previous) Select(number);
  std::string text;
  MemoLineReader reader;
  if (reader.AssignMemo(block)) {
    std::string line;
    while (text.size() < limit && reader.GetMemo(line)) text += line;
  }
  if (number != previous) Select(previous);
  if (text.size() > limit) text.resize(limit);
  return text;
}

}  // namespace

void FetchMemo(Machine& machine, const Instruction& instruction) {
  WorkArea& area = instruction.area == 0 ? machine.area() : WorkAreaAt(instruction.area);
  const std::size_t limit = machine.poolSize() > 0 ? machine.poolSize() - 1 : 0;
  std::string text;
  if (area.occupied && area.recordCount > 0 && instruction.field < area.fields.size()) {
    const FieldDef& field = area.fields[instruction.field];
    const int number = NumberOfArea(area);
    if (number > 0 && std::size_t{field.offset} + field.length <= area.raw.size()) {
      const std::string_view stored(reinterpret_cast<const char*>(area.raw.data()) + field.offset,
                                    field.length);
      text = MemoText(number, StoredBlock(stored), limit);
    }
  }
  machine.PushText(text.data(), text.size(), ValueType::Memo);
}

}  // namespace pw::ops
