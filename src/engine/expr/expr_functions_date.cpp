// Date functions. A date is a day number; DTOS and DTOC write it (truncated)
// as text, and CDOW, CMONTH, DAY, DOW, MONTH and YEAR read the DTOC text
// through the date routines of the current date format code.
#include <cstring>
#include <string>
#include <string_view>

#include "common/date_calendar.h"
#include "common/date_names.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "engine/expr/day_number.h"
#include "engine/expr/handlers.h"
#include "engine/expr/machine.h"
#include "engine/expr/whole_number.h"

namespace pw::ops {
namespace {

constexpr std::size_t kSortTextLength = 8;
constexpr std::size_t kCtodCharacters = 10;

// `value` (0 to 9999) as `count` digits with leading zeros.
void WriteDigits(char* out, int value, int count) {
  for (int i = count - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

// The date text of the current code (DTOC): two-digit month, day and year,
// the year with four digits when the century switch is on; the blank date
// text for a value that is not a writable day.
std::string DateText(double value) {
  if (!IsWritableDay(value)) return BlankDateText(CurrentDateSettings().formatCode);
  const CivilDate date = CivilDateOf(TruncateToWhole(value));
  const bool century = CurrentDateSettings().century;
  char american[10];
  WriteDigits(american, date.month, 2);
  american[2] = '/';
  WriteDigits(american + 3, date.day, 2);
  american[5] = '/';
  WriteDigits(american + 6, century ? date.year : date.year % 100, century ? 4 : 2);
  return FromAmericanDate(std::string_view(american, century ? 10 : 8));
}

void PushString(Machine& machine, const std::string& text) {
  machine.PushText(text.data(), text.size());
}

// A piece of digits only, else -1.
int PieceValue(std::string_view piece) {
  if (piece.empty()) return -1;
  int value = 0;
  for (const char c : piece) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

void Dtos(Machine& machine, const Instruction&) {
  const double value = machine.PopNumber();
  char* out = machine.scratch();
  if (!IsWritableDay(value)) {
    std::memset(out, ' ', kSortTextLength);
  } else {
    const CivilDate date = CivilDateOf(TruncateToWhole(value));
    WriteDigits(out, date.year, 4);
    WriteDigits(out + 4, date.month, 2);
    WriteDigits(out + 6, date.day, 2);
  }
  machine.PushText(out, kSortTextLength);
}

void Dtoc(Machine& machine, const Instruction&) {
  PushString(machine, DateText(machine.PopNumber()));
}

void Cdow(Machine& machine, const Instruction&) {
  PushString(machine, DayNameOf(DateText(machine.PopNumber())));
}

void Cmonth(Machine& machine, const Instruction&) {
  PushString(machine, MonthNameOf(DateText(machine.PopNumber())));
}

void Day(Machine& machine, const Instruction&) {
  machine.PushNumber(DayOf(DateText(machine.PopNumber())));
}

void Dow(Machine& machine, const Instruction&) {
  machine.PushNumber(DayOfWeekOf(DateText(machine.PopNumber())));
}

void Month(Machine& machine, const Instruction&) {
  machine.PushNumber(MonthOf(DateText(machine.PopNumber())));
}

// Two digits while the century switch is off.
void Year(Machine& machine, const Instruction&) {
  machine.PushNumber(YearOf(DateText(machine.PopNumber())));
}

void Date(Machine& machine, const Instruction&) {
  const TodayDate today = TodayParts();
  machine.PushDate(DayNumberOf(today.year, today.month, today.day));
}

// The first 10 characters read as a date text of the current code with the
// century switch on: MM/DD/YYYY; an impossible date gives the blank date.
void Ctod(Machine& machine, const Instruction&) {
  const std::string_view text = machine.PopText().substr(0, kCtodCharacters);
  DateSettings& settings = CurrentDateSettings();
  const bool century = settings.century;
  settings.century = true;
  const std::string american = ToAmericanDate(text);
  settings.century = century;
  const std::string_view pieces(american);
  const int month = PieceValue(pieces.substr(0, 2));
  const int day = pieces.size() > 3 ? PieceValue(pieces.substr(3, 2)) : -1;
  const int year = pieces.size() > 6 ? PieceValue(pieces.substr(6, 4)) : -1;
  const bool valid = year >= 1 && day >= 1 && day <= DaysInMonth(year, month);
  machine.PushDate(valid ? DayNumberOf(year, month, day) : kBlankDate);
}

}  // namespace pw::ops
