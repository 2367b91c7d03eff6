// Completing two-digit years: a two-digit year belongs to the hundred years
// that start at the epoch year (date_settings.h).
#pragma once

#include <string_view>

namespace pw {

// The year a year text stands for: a two-character year completed by the
// century rule, any other whole number as written, anything else 0.
int CompleteYear(std::string_view year);

}  // namespace pw
