// The memo lock: appending writers of a shared table serialise on byte 10
// of the memo file. A table opened exclusively (or network mode off) takes
// no lock and always succeeds; readers never lock.
#pragma once

#include <cstdint>
#include <string>

#include "engine/memo/memo_state.h"

namespace pw {

// Up to 11 attempts with a short busy wait between them; the outcome is
// kept as the memo-locked flag. Reports nothing.
bool LockMemo(MemoState& memo);
// Releases byte 10 when the flag is set and clears it; 1018 on failure.
bool UnlockMemo(MemoState& memo);

// Prepares an append: takes the memo lock (1017 "<memo path> [<operation>]"
// when refused) and pads the file with zero bytes to a whole number of
// blocks, never ending inside the header. Returns the new end of file, or 0
// after reporting a failure. A dBASE III file of exactly 513 bytes (header
// and end byte) answers 513: its next entry overwrites the end byte at 512.
// The lock stays held on success.
std::uint64_t LockMemoPadAndSeekEOF(MemoState& memo, const std::string& operation);

// Takes the memo lock, reporting 1017 with "<memo path> [<operation>]".
bool LockMemoOrReport(MemoState& memo, const std::string& operation);
// The end of file an appended entry starts at for a file of `size` bytes:
// the next block boundary at or after both `size` and the header.
std::uint64_t AppendPosition(const MemoState& memo, std::uint64_t size);

}  // namespace pw
