// Storing a whole entry of known size, for the text-file interface, AddMemo
// and CopyMemo: dBASE IV files place it by the free-list rule, the other
// kinds append it (a dBASE III entry without header, ended by 0x1A).
#pragma once

#include <cstdint>
#include <string>

#include "engine/memo/memo_state.h"

namespace pw {

// Stores `data` (bytes as they go to disk) as the new entry of a record
// whose entry is at `oldBlock` (0: none), committed to disk. The memo lock
// is taken and stays held for UpdateMemoHeader. Returns the entry's block,
// or 0 after reporting a failure (the old entry then stays the record's).
std::uint32_t StoreEntry(MemoState& memo, std::uint32_t oldBlock, const std::string& data,
                         const std::string& operation);

// Stores `text` (ANSI; translated to OEM when `translate` and it reads as
// text) as the new entry of a record whose entry is at `oldBlock`, then
// brings the header up to date and releases the memo lock. `*block` gets
// the new block, 0 for an empty text (only the header is updated then).
bool StoreText(MemoState& memo, std::uint32_t oldBlock, const std::string& text, bool translate,
               const std::string& operation, std::uint32_t* block);

// The text-mode rule applied to a whole text: bytes that read as text are
// translated from ANSI to OEM when `translate` is set.
std::string TextForDisk(const std::string& text, bool translate);

}  // namespace pw
