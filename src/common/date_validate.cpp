// Checking and normalising a date text typed or read in the current layout.
#include "common/century_rule.h"
#include "common/date_calendar.h"
#include "common/date_pieces.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/text_routines.h"

namespace pw {

namespace {

constexpr std::size_t kMaxDateText = 10;

// An American text MM/DD/YY or MM/DD/YYYY naming a real day.
bool IsRealAmericanDate(std::string_view american) {
  if (american.size() != 8 && american.size() != 10) return false;
  if (american[2] != '/' || american[5] != '/') return false;
  const std::string_view yearText = Characters(american, 7);
  const auto year = WholeNumber(yearText);
  const auto month = WholeNumber(Characters(american, 1, 2));
  const auto day = WholeNumber(Characters(american, 4, 2));
  if (!year || !month || !day || *day < 1) return false;
  return *day <= DaysInMonth(CompleteYear(yearText), *month);
}

}  // namespace

bool ValidateDateText(std::string& text) {
  std::string american = ToAmericanDate(AllTrim(text).substr(0, kMaxDateText));
  const int code = CurrentDateSettings().formatCode;
  if (american == BlankDateText(0)) {
    text = BlankDateText(code);
    return true;
  }
  if (!IsRealAmericanDate(american)) return false;
  if (american.size() == 10 && !CurrentDateSettings().century) american.erase(6, 2);
  text = code == 0 ? american : FromAmericanDate(american);
  return true;
}

}  // namespace pw
