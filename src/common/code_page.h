// The two fixed code pages of the engine: ANSI = Windows-1252 (all engine
// text) and OEM = code page 850 (text stored by DOS programs). Conversion
// between them is a bijection, so every byte survives a round trip. Also the
// Windows-1252 case and letter rules.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pw {

// Convert in place; lengths never change.
void AnsiToOemBuffer(unsigned char* bytes, std::size_t count);
void OemToAnsiBuffer(unsigned char* bytes, std::size_t count);
std::string AnsiToOem(std::string_view text);
std::string OemToAnsi(std::string_view text);

// Windows-1252 case rules: letters without a counterpart (0xAA, 0xB5, 0xBA,
// 0xDF) and non-letters stay as they are.
unsigned char UpperChar(unsigned char c);
unsigned char LowerChar(unsigned char c);
std::string Upper(std::string_view text);
bool IsAnsiLetter(unsigned char c);
// Whether the first character is a letter; false for empty text.
bool IsAlphaFirst(std::string_view text);

}  // namespace pw
