// The current record as one tag sees it: its key, whether it meets the
// tag's FOR condition, and its key as text for messages.
#pragma once

#include <string>

#include "engine/index/index_state.h"

namespace pw {

// The tag's key of the current record of the current work area.
std::string KeyOfRecord(IndexTag& tag);
// True for a tag without a FOR condition.
bool MeetsFor(IndexTag& tag);
// The key value of the current record as text: C keys as stored, N keys
// written with the expression's width and decimals, D keys as DTOC writes
// them; trailing blanks removed.
std::string RecordKeyText(IndexTag& tag);

}  // namespace pw
