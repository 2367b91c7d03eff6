// Gregorian calendar facts shared by date validation and construction.
#pragma once

namespace pw {

// Days in `month` (1-12) of `year`; 0 for a month outside 1-12.
int DaysInMonth(int year, int month);

}  // namespace pw
