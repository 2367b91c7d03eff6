// Direct access to one stored field of one record, straight from and to the
// record file: no translation, no change of the current record, the record
// buffers or the header state. Field 0 is the deletion flag byte.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

// The field's stored bytes; empty when the field or record number is out of
// range or the read fails.
std::string Peek(int field, std::int32_t record);
// Writes the first min(text length, field length) bytes of `text` into the
// field. A shared table needs the record locked (1200 otherwise); out-of-range
// numbers write nothing.
bool Poke(const std::string& text, int field, std::int32_t record);

}  // namespace pw
