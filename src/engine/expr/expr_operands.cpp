// Operands: constants, field values of the current record and the record's
// own number and deletion mark.
//
// Field values from the raw record (ANSI text, fields at their offsets):
//   C     the stored characters, full width, trailing blanks kept
//   N, F  the stored digits as a number (blanks: 0)
//   L     true for Y, y, T or t
//   D     YYYYMMDD as a day number; blanks or an invalid date: the blank date
// A work area without records gives blank values: blanks of the field's
// width, 0, false, the blank date.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "engine/expr/day_number.h"
#include "engine/expr/handlers.h"
#include "engine/expr/machine.h"
#include "engine/table/work_area.h"
#include "engine/table/work_areas.h"

namespace pw::ops {
namespace {

struct FieldText {
  const FieldDef* field = nullptr;  // null: no such field in the work area now
  std::string_view text;            // empty while the table holds no records
};

// The fetch names the field by its position; a table that changed since
// compilation gives no field rather than bytes from beyond the record.
FieldText FieldTextOf(Machine& machine, const Instruction& instruction) {
  const WorkArea& area = instruction.area == 0 ? machine.area() : WorkAreaAt(instruction.area);
  if (!area.occupied || instruction.field >= area.fields.size()) return {};
  const FieldDef& field = area.fields[instruction.field];
  if (area.recordCount == 0 || std::size_t{field.offset} + field.length > area.raw.size()) {
    return {&field, {}};
  }
  return {&field, {reinterpret_cast<const char*>(area.raw.data()) + field.offset, field.length}};
}

double StoredNumber(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  text.remove_prefix(first);
  const bool negative = text.front() == '-';
  if (negative || text.front() == '+') text.remove_prefix(1);
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  return negative ? -value : value;
}

}  // namespace

void PushTextConstant(Machine& machine, const Instruction& instruction) {
  machine.PushText(machine.literal(instruction.textOffset), instruction.textLength);
}

void PushNumberConstant(Machine& machine, const Instruction& instruction) {
  machine.PushNumber(instruction.number);
}

void PushLogicalConstant(Machine& machine, const Instruction& instruction) {
  machine.PushLogical(instruction.number != 0);
}

void FetchCharacter(Machine& machine, const Instruction& instruction) {
  const FieldText value = FieldTextOf(machine, instruction);
  if (value.field != nullptr && value.text.empty()) {
    char* blanks = machine.scratch();
    std::memset(blanks, ' ', value.field->length);
    machine.PushText(blanks, value.field->length);
    return;
  }
  machine.PushText(value.text.data(), value.text.size());
}

void FetchNumber(Machine& machine, const Instruction& instruction) {
  machine.PushNumber(StoredNumber(FieldTextOf(machine, instruction).text));
}

void FetchLogical(Machine& machine, const Instruction& instruction) {
  const std::string_view text = FieldTextOf(machine, instruction).text;
  const char c = text.empty() ? ' ' : text.front();
  machine.PushLogical(c == 'Y' || c == 'y' || c == 'T' || c == 't');
}

void FetchDate(Machine& machine, const Instruction& instruction) {
  machine.PushDate(DayNumberOfSortText(FieldTextOf(machine, instruction).text));
}

void Recno(Machine& machine, const Instruction&) {
  const WorkArea& area = machine.area();
  machine.PushNumber(area.occupied ? area.recordNumber : 0);
}

void Deleted(Machine& machine, const Instruction&) {
  const WorkArea& area = machine.area();
  machine.PushLogical(area.occupied && !area.raw.empty() && area.raw[0] == '*');
}

}  // namespace pw::ops
