// Day numbers: the Julian Day Numbers of the Gregorian calendar in which
// dates are held while expressions are evaluated (0001-01-01 is 1721426,
// 2000-01-01 is 2451545, 9999-12-31 is 5373484; blank is kBlankDate).
#pragma once

#include <cstdint>
#include <string_view>

namespace pw {

inline constexpr std::int64_t kDayBeforeFirstDate = 1721425;  // 0000-12-31
inline constexpr std::int64_t kLastDay = 5373484;             // 9999-12-31

struct CivilDate {
  int year;
  int month;
  int day;
};

// d + days before month m (one more in leap years after February)
// + 365 (y - 1) + (y - 1) div 4 - (y - 1) div 100 + (y - 1) div 400 + 1721425.
double DayNumberOf(int year, int month, int day);
// The date of a day number from 1721426 to 5373484.
CivilDate CivilDateOf(std::int64_t dayNumber);
// Whether a value is a day number of a real date (the truncated value above
// 1721425, the value at most 5373484); the others are written as blanks.
bool IsWritableDay(double value);

// A stored date field, YYYYMMDD: its day number, or kBlankDate for blanks, a
// text that is not a date, an impossible day or the year 0.
double DayNumberOfSortText(std::string_view text);

}  // namespace pw
