// Whether the current work area may edit its table: a table opened
// exclusively, or any table while network mode is off, always may; a shared
// table needs the record in the record lock list to rewrite it, and the
// append lock to add a record.
#pragma once

#include <cstdint>

namespace pw {

bool MayWriteRecord(std::int32_t recordNumber);
bool MayAppend();

}  // namespace pw
