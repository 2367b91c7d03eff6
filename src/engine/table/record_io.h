// Reading and writing single records of the table in a work area. Record n
// (from 1) lies at header length + (n - 1) * record length. On disk the text
// of an OEM table is in the OEM code page; in memory the raw record is always
// ANSI. The deletion flag (byte 0) is never translated.
#pragma once

#include <cstdint>

#include "engine/table/work_area.h"

namespace pw {

// The file offset of record n (n >= 1).
std::uint64_t RecordOffset(const WorkArea& area, std::int32_t n);

// Turns the raw record, as read from the file, into ANSI text: the read
// callback, then the OEM translation; the deletion flag stays as it is.
void TranslateAfterRead(WorkArea& area);

// Reads record n into the raw record and translates it to ANSI; the record
// number becomes n, BOF and EOF are cleared. Returns 0 or the reported
// engine error code (212 out of range, 213 short read, or the I/O code).
int ReadRawRecord(WorkArea& area, std::int32_t n);
// ReadRawRecord, then the raw record converted into the record image.
int ReadRecord(WorkArea& area, std::int32_t n);

// Writes the raw record as record n, or appends it when n is beyond the
// last record (the record count and number then become the new record's).
// The header state becomes appended or dirty. Returns 0 or the reported code.
int WriteRawRecord(WorkArea& area, std::int32_t n);
// The record image converted into the raw record, written with
// WriteRawRecord, and converted back, so the image shows what was stored.
int WriteRecord(WorkArea& area, std::int32_t n);

// Blanks the raw record (all spaces, deletion flag included) and the image.
void BlankRecord(WorkArea& area);
// End of file: a blank record, record number = record count + 1, BOF and EOF.
void SetEndOfFileState(WorkArea& area);

}  // namespace pw
