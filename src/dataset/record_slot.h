// Field values in the record buffer (the engine's record image layout):
//   C  length byte, then the text blank-padded to the width
//   N  double (with decimals), int64 (whole numbers wider than nine digits)
//      or int32
//   D  length byte, then the date text of the engine's date format
//   L  one byte, 0 or 1
//   M  int32 memo block
// Values travel as QVariant: QString, double, qlonglong or int, QDate (null
// when blank), bool, int.
#pragma once

#include <QVariant>
#include <cstdint>

#include "dataset/dbf_table.h"

namespace pw {

// An N or F field whose whole numbers have an int64 slot.
bool HasWideWholeSlot(const DbfFieldProperty& field);
// `value` clamped to the 32-bit range.
std::int32_t SaturatedInt32(qlonglong value);

QVariant SlotValue(const DbfFieldProperty& field, const unsigned char* slot);

// Writes `value` into the slot. A D field takes a QDate or a date text of
// the engine's date format; the blank-date text and an empty text clear it.
// False (a blank date stored) for a date text that is not a valid date.
bool StoreSlotValue(const DbfFieldProperty& field, const QVariant& value, unsigned char* slot);

// The engine's blank-date text for its current date format.
QString BlankDateText();

}  // namespace pw
