// Building a date text from year, month and day.
#include "common/century_rule.h"
#include "common/date_calendar.h"
#include "common/date_pieces.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/error_codes.h"
#include "common/error_state.h"

namespace pw {
namespace {

std::string Padded(int number, std::size_t width, char fill) {
  return PadLeft(std::to_string(number), width, fill);
}

}  // namespace

std::string DateFrom(int year, int month, int day) {
  // A year below 100 is completed by the century rule and, with the century
  // switch off, keeps only its two digits; a longer year keeps all four.
  const bool twoDigitYear = year >= 0 && year < 100;
  const int fullYear = twoDigitYear ? CompleteYear(Padded(year, 2, '0')) : year;
  std::string yearText = Padded(fullYear, 4, '0');
  if (twoDigitYear && !CurrentDateSettings().century) yearText.erase(0, yearText.size() - 2);

  const std::string text =
      FromAmericanDate(Padded(month, 2, '0') + "/" + Padded(day, 2, '0') + "/" + yearText);
  if (year < 0 || day < 1 || day > DaysInMonth(fullYear, month)) {
    SetError(kInvalidParameter, "[DateFrom(" + yearText + "," + Padded(month, 2, ' ') + "," +
                                    Padded(day, 2, ' ') + ")]");
  }
  return text;
}

}  // namespace pw
