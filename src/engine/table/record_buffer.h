// The current work area's record buffers: the raw record (the record's bytes
// as stored, in ANSI) and the record image (its typed copy).
#pragma once

#include <cstdint>

namespace pw {

// Blanks the raw record (all spaces, deletion flag included) and the record
// image (blank values, deleted flag 0); the position does not change.
void ClearRecord();
// Reads record n into the raw record without converting it into the image.
// Fails with 212 outside 1 .. record count, 213 on a short read.
bool GetDbfRecord(std::int32_t n);
// Writes the raw record as record n; beyond the last record it appends.
bool PutDbfRecord(std::int32_t n);
// The record image's deleted flag.
bool Deleted();

}  // namespace pw
