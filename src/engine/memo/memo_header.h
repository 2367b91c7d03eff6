// The next free block at offset 0 of the memo file's header.
#pragma once

#include <cstdint>
#include <string>

#include "engine/memo/memo_state.h"

namespace pw {

// Each returns 0 or the I/O code, reporting nothing.
int ReadNextFree(const MemoState& memo, std::uint32_t* block);
int WriteNextFree(MemoState& memo, std::uint32_t block);

// Next free block := the file size in blocks, rounded up. A failure is
// reported with code 29 and "<memo path> [<operation>]".
bool MainHeaderWrite(MemoState& memo, const std::string& operation);
// MainHeaderWrite after storing text, then the memo lock is released.
bool UpdateMemoHeader(MemoState& memo);

}  // namespace pw
