#include "common/date_settings.h"

#include "common/code_page.h"

namespace pw {

namespace {

constexpr int kHighestCode = 10;

int CodeOfLanguage(const std::string& language, const std::string& territory) {
  const std::string lang = Upper(language);
  const std::string land = Upper(territory);
  if (lang == "DE") return 5;
  if (lang == "EN") return land == "US" ? 0 : 2;
  if (lang == "ES") return 6;
  if (lang == "FR") return land == "CA" ? 7 : 4;
  if (lang == "IT") return 3;
  if (lang == "RU") return 8;
  return 0;
}

// The first character of the system's short date format names the field
// order; a day-first format is told apart by its separator.
int CodeOfShortDateFormat(const std::string& shortDateFormat, char dateSeparator) {
  if (shortDateFormat.empty()) return 0;
  switch (shortDateFormat.front()) {
    case 'd':
    case 'D':
      if (dateSeparator == '-') return 3;
      if (dateSeparator == '.') return 5;
      return 2;
    case 'y':
    case 'Y':
      return 1;
    default:
      return 0;
  }
}

}  // namespace

DateSettings& CurrentDateSettings() {
  static DateSettings settings;
  return settings;
}

void SetDateType(int code) {
  DateSettings& settings = CurrentDateSettings();
  settings.formatCode = (code < 0 || code > kHighestCode) ? 0 : code;
  const std::string year = settings.century ? "yyyy" : "yy";
  switch (settings.formatCode) {
    case 0:
      settings.shortDatePattern = "MM/dd/" + year;
      settings.dateSeparator = '/';
      break;
    case 1:
      settings.shortDatePattern = year + ".MM.dd";
      settings.dateSeparator = '.';
      break;
    case 2:
      settings.shortDatePattern = "dd/MM/" + year;
      settings.dateSeparator = '/';
      break;
    case 3:
      settings.shortDatePattern = "dd-MM-" + year;
      settings.dateSeparator = '-';
      break;
    case 9:
      settings.shortDatePattern = year + "/MM/dd";
      settings.dateSeparator = '/';
      break;
    case 10:
      settings.shortDatePattern = "MM-dd-" + year;
      settings.dateSeparator = '-';
      break;
    default:
      settings.shortDatePattern = "dd.MM." + year;
      settings.dateSeparator = '.';
      break;
  }
}

void InitDateSettingsFromLanguage(const std::string& language, const std::string& territory,
                                  int currentYear) {
  DateSettings& settings = CurrentDateSettings();
  const int code = CodeOfLanguage(language, territory);
  if (code >= 3 && code <= 6) {
    settings.decimalSeparator = ',';
    settings.thousandsSeparator = '.';
  } else {
    settings.decimalSeparator = '.';
    settings.thousandsSeparator = code == 8 ? ' ' : ',';
  }
  settings.century = false;
  settings.epochYear = currentYear - 70;
  // Keeps the short date pattern in step with the code from the start.
  SetDateType(code);
}

void InitDateSettingsFromLocale(const std::string& shortDateFormat, char dateSeparator,
                                char decimalSeparator, char thousandsSeparator) {
  DateSettings& settings = CurrentDateSettings();
  settings.decimalSeparator = decimalSeparator;
  settings.thousandsSeparator = thousandsSeparator;
  settings.century = Upper(shortDateFormat).find("YYYY") != std::string::npos;
  SetDateType(CodeOfShortDateFormat(shortDateFormat, dateSeparator));
}

}  // namespace pw
