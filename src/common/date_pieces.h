// Small text routines shared by the date conversions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pw {

// Padded on the left with `fill` to `width` characters.
std::string PadLeft(std::string_view text, std::size_t width, char fill);

// The value of a text made of decimal digits only; nothing for anything else.
std::optional<int> WholeNumber(std::string_view text);

// Characters `first` (1-based) to `first + count - 1`, as far as they exist.
std::string_view Characters(std::string_view text, std::size_t first,
                            std::size_t count = std::string_view::npos);

}  // namespace pw
