// Conversion between the engine's text (Windows-1252 bytes) and the UTF-8
// the tool reads from and writes to the terminal, files and JSON.
#pragma once

#include <string>
#include <string_view>

namespace pw::pwdbf {

// Every byte has a character: the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value,
// so that every stored byte survives a round trip.
std::string Utf8FromCp1252(std::string_view text);

// False when `text` is not valid UTF-8 or holds a character Windows-1252
// cannot store; `*out` is then incomplete.
bool Cp1252FromUtf8(std::string_view text, std::string* out);

}  // namespace pw::pwdbf
