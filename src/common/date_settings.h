// Process-wide date settings: the date format code (0-10, layout and
// language of names), the century switch, the epoch year of the two-digit
// year rule, and the decimal and thousands separators used by the number
// routines. Codes 0-8 are the national layouts; 9 (YY/MM/DD) and 10
// (MM-DD-YY), with English names, complete the layouts other dBASE programs
// write, so that their date keys can be made alike.
#pragma once

#include <string>

namespace pw {

struct DateSettings {
  int formatCode = 0;    // 0 American .. 8 Russian, 9 year first, 10 US
  bool century = false;  // four-digit years
  int epochYear = 1954;  // base of the century rule
  char decimalSeparator = '.';
  char thousandsSeparator = ',';
  std::string shortDatePattern = "MM/dd/yy";  // set by SetDateType
  char dateSeparator = '/';
};

DateSettings& CurrentDateSettings();

// Stores the code (above 10 stores 0) and rewrites pattern and separator.
void SetDateType(int code);

// Start-up step 1, from the user's default language: `language` is an ISO 639
// code ("de", "en", ...) and `territory` an ISO 3166 code ("US", "CA", ...).
// Sets code, separators, century off and the epoch year = currentYear - 70.
void InitDateSettingsFromLanguage(const std::string& language, const std::string& territory,
                                  int currentYear);

// Start-up step 2, from the system's short date format, date separator and
// number separators; overrides step 1 and calls SetDateType.
void InitDateSettingsFromLocale(const std::string& shortDateFormat, char dateSeparator,
                                char decimalSeparator, char thousandsSeparator);

}  // namespace pw
