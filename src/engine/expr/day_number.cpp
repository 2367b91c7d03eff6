#include "engine/expr/day_number.h"

#include "common/date_calendar.h"
#include "common/date_text.h"
#include "engine/expr/expr_value.h"
#include "engine/expr/whole_number.h"

namespace pw {
namespace {

constexpr int kDaysBeforeMonth[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr std::int64_t kDaysIn400Years = 146097;
constexpr std::int64_t kDaysIn100Years = 36524;
constexpr std::int64_t kDaysIn4Years = 1461;
constexpr std::int64_t kDaysInYear = 365;

// Digits only; -1 otherwise.
int DigitsValue(std::string_view text) {
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

double DayNumberOf(int year, int month, int day) {
  const std::int64_t before = year - 1;
  const int leapDay = (IsLeapYear(year) && month > 2) ? 1 : 0;
  return static_cast<double>(day + kDaysBeforeMonth[month - 1] + leapDay + kDaysInYear * before +
                             before / 4 - before / 100 + before / 400 + kDayBeforeFirstDate);
}

CivilDate CivilDateOf(std::int64_t dayNumber) {
  std::int64_t days = dayNumber - kDayBeforeFirstDate - 1;  // days since 0001-01-01
  const std::int64_t cycles = days / kDaysIn400Years;
  days %= kDaysIn400Years;
  std::int64_t centuries = days / kDaysIn100Years;
  if (centuries == 4) centuries = 3;  // the last day of a 400-year cycle
  days -= centuries * kDaysIn100Years;
  const std::int64_t quads = days / kDaysIn4Years;
  days %= kDaysIn4Years;
  std::int64_t years = days / kDaysInYear;
  if (years == 4) years = 3;  // the last day of a leap year
  days -= years * kDaysInYear;
  const int year = static_cast<int>(cycles * 400 + centuries * 100 + quads * 4 + years + 1);
  int month = 1;
  while (month < 12 && days >= DaysInMonth(year, month)) {
    days -= DaysInMonth(year, month);
    ++month;
  }
  return {year, month, static_cast<int>(days) + 1};
}

bool IsWritableDay(double value) {
  return TruncateToWhole(value) > kDayBeforeFirstDate && value <= static_cast<double>(kLastDay);
}

double DayNumberOfSortText(std::string_view text) {
  if (text.size() < 8) return kBlankDate;
  const int year = DigitsValue(text.substr(0, 4));
  const int month = DigitsValue(text.substr(4, 2));
  const int day = DigitsValue(text.substr(6, 2));
  if (year < 1 || day < 1 || day > DaysInMonth(year, month)) return kBlankDate;
  return DayNumberOf(year, month, day);
}

}  // namespace pw
