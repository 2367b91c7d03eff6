// Whole numbers stored as decimal text in the settings file.
#pragma once

#include <optional>
#include <string_view>

namespace pw {

// A decimal whole number with an optional sign, blanks and tabs around it
// allowed; nothing for any other text or a number beyond int.
std::optional<int> ParseDecimal(std::string_view text);

}  // namespace pw
