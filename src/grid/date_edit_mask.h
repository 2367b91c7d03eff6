// The edit mask a grid gives a date column that has none of its own, in the
// mask notation "mask;keep literals;blank character": "99/99/99;1; ", with
// "9999" for the year when the century switch is on; format code 1 puts the
// year first (year/month/day).
#pragma once

#include <QString>

namespace pw {

QString DateEditMask(int formatCode, bool century);

// The same mask as a QLineEdit input mask ("99/99/99; ").
QString InputMaskOf(const QString& editMask);

}  // namespace pw
