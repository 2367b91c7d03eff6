// The table of engine error texts: "Error # <code> (<message>)".
#pragma once

#include <cstdint>
#include <string>

namespace pw {

// Empty for code 0; "Undefined error" stands in for unlisted codes.
std::string ErrorText(std::uint16_t code);

}  // namespace pw
