// Small text routines for the engine's commands and conversions. Text is
// Windows-1252 bytes; positions count from 1 as the command language does.
#pragma once

#include <string>
#include <string_view>

namespace pw {

// Remove trailing or leading blanks and control characters (bytes below 33).
std::string TrimTrailing(std::string_view text);
std::string TrimLeading(std::string_view text);
std::string AllTrim(std::string_view text);

// Occurrences of sub in text: single characters are counted, longer subs
// without overlap from the left; 0 when either is empty.
int Occurs(std::string_view sub, std::string_view text);
// Position (from 1) of the n-th, possibly overlapping, occurrence of sub;
// 0 when there are fewer or n < 1.
int At(int n, std::string_view sub, std::string_view text);

std::string Replicate(char ch, int count);
// Blank-pads on the right to `width`; longer texts are returned unchanged.
std::string PadRight(std::string_view text, int width);
std::string PickText(bool condition, std::string_view whenTrue, std::string_view whenFalse);

// Upper-cases `text` and deletes each occurrence of `word` that is not
// followed by a digit, "\", "_" or a letter, then trims the text. Returns
// whether an occurrence was deleted.
bool RemoveWord(std::string_view word, std::string& text);

}  // namespace pw
