// The record image: the typed copy of the current record that the data set
// layer reads and writes, and its conversion to and from the raw record.
//
// Image layout: byte 0 is the deleted flag (1 = marked deleted), then one
// slot per field in field order, without gaps:
//
//   C     length + 1   length byte (always the field length), then the text
//   N, F  8, 8 or 4    double when the field has decimals; else int64 when
//                      the field is wider than nine digits, int32 otherwise
//   D     11           length byte, then the date text (8 or 10 characters)
//                      of the current date format and century switch
//   L     1            0 or 1
//   M     4            int32 memo block number
//
// Raw fields hold text: C left-aligned and blank-padded; N, F and M
// right-aligned with leading blanks ("*" fill when the value is too wide);
// D as YYYYMMDD or 8 blanks; L "T" or "F" (T, Y, t, y read as true). An N,
// F or D field whose slot still holds what its stored text reads as keeps
// that text when the image is written back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/table/field_def.h"
#include "engine/table/work_area.h"

namespace pw {

// Whole numbers of up to nine digits always fit 32 bits.
inline constexpr std::size_t kInt32WholeDigits = 9;

// An N or F field without decimals wider than kInt32WholeDigits: its whole
// numbers can pass 32 bits, so its slot is an int64.
bool HasWideWholeSlot(const FieldDef& field);

std::size_t ImageSlotSize(const FieldDef& field);
// 1 + the slot sizes of all fields.
std::size_t ImageSizeOf(const std::vector<FieldDef>& fields);
// The image size of the table in work area `workArea` (1-33); 0 when empty.
std::uint16_t RecordImageSize(int workArea);

// area.raw -> area.image, and back. The image must be ImageSizeOf(fields)
// bytes and the raw record at least as long as the fields need.
void RawToImage(WorkArea& area);
void ImageToRaw(WorkArea& area);

}  // namespace pw
