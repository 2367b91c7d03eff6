// Day of the week and the day and month names of a date text, in the language
// of the current date format code. Names are OEM bytes of fixed width.
#pragma once

#include <string>
#include <string_view>

namespace pw {

// 1 = Sunday .. 7 = Saturday.
int DayOfWeekOf(std::string_view text);
// Padded to the table's width; a blank date gives 10 blanks.
std::string DayNameOf(std::string_view text);
// Padded to the table's width; a blank date gives 9 blanks.
std::string MonthNameOf(std::string_view text);

}  // namespace pw
