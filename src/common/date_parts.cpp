// Reading the pieces of a date text through its American form MM/DD/YY(YY).
#include "common/date_pieces.h"
#include "common/date_text.h"

namespace pw {

namespace {

int NumberAt(std::string_view text, std::size_t first, std::size_t count) {
  return WholeNumber(Characters(ToAmericanDate(text), first, count)).value_or(0);
}

}  // namespace

int MonthOf(std::string_view text) {
  return NumberAt(text, 1, 2);
}

int DayOf(std::string_view text) {
  return NumberAt(text, 4, 2);
}

int YearOf(std::string_view text) {
  return NumberAt(text, 7, std::string_view::npos);
}

std::string DateToSortText(std::string_view text) {
  const std::string american = ToAmericanDate(text);
  std::string year(Characters(american, 7, 4));
  if (year.size() < 4) year = PadLeft(std::to_string(CenturyOf(year) / 100), 2, '0') + year;
  return year + std::string(Characters(american, 1, 2)) + std::string(Characters(american, 4, 2));
}

}  // namespace pw
