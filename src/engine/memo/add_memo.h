// Appending a text to the current table's memo file as a new entry.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

// Stores `text` (ANSI) as a new entry and returns its block for a memo
// field; 0 for an empty text, or after reporting a failure.
std::int32_t AddMemo(const std::string& text);

}  // namespace pw
