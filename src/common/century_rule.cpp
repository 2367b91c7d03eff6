#include "common/century_rule.h"

#include "common/date_pieces.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/text_routines.h"

namespace pw {

namespace {

// A year piece that is not a number counts as 0.
int YearValue(std::string_view year) {
  return WholeNumber(AllTrim(year)).value_or(0);
}

}  // namespace

int CenturyOf(std::string_view twoDigitYear) {
  const int epoch = CurrentDateSettings().epochYear;
  const int epochCentury = epoch / 100;
  return 100 * (YearValue(twoDigitYear) < epoch % 100 ? epochCentury + 1 : epochCentury);
}

int CompleteYear(std::string_view year) {
  return year.size() == 2 ? CenturyOf(year) + YearValue(year) : YearValue(year);
}

std::string NormalizeYear(std::string_view year) {
  if (!CurrentDateSettings().century) return std::string(year);
  std::string full(year);
  if (year.size() == 2) full = std::to_string(CenturyOf(year) / 100) + full;
  return PadLeft(full, 4, '0');
}

}  // namespace pw
