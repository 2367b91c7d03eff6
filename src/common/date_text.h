// Date texts: the short texts in which dates travel outside date fields, in
// one of nine national layouts chosen by the date format code and the
// century switch (date_settings.h). The American layout MM/DD/YY(YY) is the
// common form every conversion goes through; the sort text is YYYYMMDD.
#pragma once

#include <string>
#include <string_view>

namespace pw {

// The layout of `code` with blanks for digits, under the current century switch.
std::string BlankDateText(int code);

// Century (e.g. 1900 or 2000) of a two-digit year under the epoch year.
int CenturyOf(std::string_view twoDigitYear);
// With the century switch on, a two-character year gains its century and the
// year is padded with "0" to four characters; with it off the year is kept.
std::string NormalizeYear(std::string_view year);

// A date text of the current code to MM/DD/YY(YY), and back.
std::string ToAmericanDate(std::string_view text);
std::string FromAmericanDate(std::string_view american);

// true = valid; normalises text in place when valid.
bool ValidateDateText(std::string& text);

// YYYYMMDD; a blank date sorts before every date from the year 2000 on.
std::string DateToSortText(std::string_view text);

// Month, day and year as written (0 when the piece is not a number).
int MonthOf(std::string_view text);
int DayOf(std::string_view text);
int YearOf(std::string_view text);

// The date text of the current code; records error 220 for an impossible date.
std::string DateFrom(int year, int month, int day);

bool IsLeapYear(int year);

struct TodayDate {
  int year;
  int month;
  int day;
  int weekday;  // 1 = Sunday .. 7 = Saturday
};
TodayDate TodayParts();

}  // namespace pw
