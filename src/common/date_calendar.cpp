#include "common/date_calendar.h"

#include <ctime>

#include "common/date_text.h"

namespace pw {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  switch (month) {
    case 2:
      return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return month >= 1 && month <= 12 ? 31 : 0;
  }
}

TodayDate TodayParts() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    // No usable clock: the epoch's first day (a Thursday) rather than garbage.
    return TodayDate{1970, 1, 1, 5};
  }
  return TodayDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday + 1};
}

}  // namespace pw
