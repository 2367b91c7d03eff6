// The memo stream of the current table: the data set layer's memo fields
// read and write their text through it. One stream per table can be open.
//
// A write stream always begins a new entry at the (block-padded) end of the
// file; the old entry stays where it is until the next pack. The file is
// untouched until the first byte is written, and the entry header is
// written on close, after the data. Only when CloseBlobStream succeeds is
// the entry complete and on disk: the caller stores the returned block in
// the record then, and keeps the old block when any step failed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pw {

// Opens the stream on entry `block` (mode 1, read) or on a new entry (mode
// 2, write). With `translate` the first piece decides between text
// (translated between OEM and ANSI) and binary. A negative block is taken
// as its absolute value. Returns the entry's block, negated for the dBASE
// III kind, or 0 after reporting a failure (1003 for a block beyond the end).
std::int32_t CreateBlobDescriptor(bool translate, std::int32_t block, int mode);

// Reads up to `count` bytes of the entry, never past its end or the file's.
// Returns the bytes read; 0 at the end, or after reporting a failure.
std::size_t ReadBlobStream(void* buffer, std::size_t count);

// Appends `count` bytes to the new entry (the caller's buffer is not
// changed). Returns `count`, or 0 after reporting a failure; a failed write
// takes back everything the stream wrote and ends it.
std::size_t WriteBlobStream(const void* buffer, std::size_t count);

// Moves within the stream: origin 0 from the beginning, 1 from the current
// position, 2 from the end (for a read stream of unknown length the data is
// scanned for its end first). Returns the new position, never negative; 0
// with no stream or on block 0.
std::int64_t SeekBlobStream(std::int64_t offset, int origin);

// Ends the stream. A write stream that wrote data gets its entry header and
// is committed to disk; false when that failed (reported), in which case the
// entry is taken back. A write stream that wrote nothing leaves the file as
// it was. The memo lock is released.
bool CloseBlobStream();

}  // namespace pw
