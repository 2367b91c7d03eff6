// Whether memo bytes are text, translated between the OEM and ANSI code
// pages, or binary data that passes untouched. The first piece of a stream
// decides for the whole stream.
#pragma once

#include <cstddef>

#include "engine/memo/memo_state.h"

namespace pw {

// Text when every byte is 32 or above or one of 9, 10, 13, 15, 20, 21.
TextMode DecideTextMode(const unsigned char* bytes, std::size_t count);

}  // namespace pw
