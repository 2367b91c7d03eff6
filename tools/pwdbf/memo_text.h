// Memo text of the table in the current work area, through the engine's
// blob stream: text entries of an OEM table come and go as ANSI.
#pragma once

#include <cstdint>
#include <string>

namespace pw::pwdbf {

// The whole entry at `block` (Windows-1252). Throws ToolError with the
// engine's error (1003 for an entry beyond the end of the memo file).
std::string ReadMemoText(const std::string& table, std::int32_t block);

// Stores `text` (Windows-1252) as a new entry and gives its block; 0 for an
// empty text, which needs no entry. Throws ToolError on failure.
std::int32_t WriteMemoText(const std::string& table, const std::string& text);

}  // namespace pw::pwdbf
