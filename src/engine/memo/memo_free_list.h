// Block allocation of the dBASE IV kind for entries of known size, through
// the free list whose head is the header's next available block (layout in
// memo_format.h). A damaged list (a loop, runs out of order, a link into an
// entry or past the end) is never followed further than 100 steps or
// backwards: allocation then appends at the end, and blocks given back are
// left unrecorded.
#pragma once

#include <cstdint>
#include <string>

#include "engine/memo/memo_state.h"

namespace pw {

// Chooses the first block for an entry of `dataLength` bytes in a file that
// is `blocks` blocks long (padded to whole blocks). The record's current
// entry at `oldBlock` (0: none) is reused when it is large enough, its
// surplus blocks given back; one too small is given back first. Otherwise
// the first free run that is large enough is taken out of the list, or the
// entry is appended at block `blocks`. Returns false after reporting a read
// failure (30) or write failure (29) with "<memo path> [<operation>]".
bool AllocateEntry(MemoState& memo, std::uint32_t blocks, std::uint32_t oldBlock,
                   std::uint64_t dataLength, const std::string& operation, std::uint32_t* block);

// Records `count` blocks from block `start` as a free run, in block order.
// Nothing is recorded when the list is empty (the header's next available
// block equals `blocks`) or damaged.
bool GiveBackBlocks(MemoState& memo, std::uint32_t blocks, std::uint32_t start, std::uint32_t count,
                    const std::string& operation);

}  // namespace pw
