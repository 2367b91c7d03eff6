// The process-wide date and number settings, taken from the user's locale
// when the data set layer starts: the engine's date format and century
// switch from the short date format, the date separator, and the decimal
// and thousands separators.
#pragma once

#include <QLocale>
#include <QString>

namespace pw {

// The first character of the short date format that is not a letter ("/"
// when there is none).
QChar DateSeparatorOf(const QString& shortDateFormat);

// From plain locale values (separators as one character each).
void InitDatasetLocale(const QString& shortDateFormat, QChar dateSeparator, QChar decimalSeparator,
                       QChar thousandsSeparator);
// From a locale (QLocale::system() in the program): first the engine's
// start-up step from the locale's language (which also sets the epoch year
// of two-digit years to this year minus 70), then the step above from its
// short date format and separators.
void InitDatasetLocale(const QLocale& locale);

// The engine's date format code (0-10) and century switch now in force.
struct DatasetDateFormat {
  int formatCode = 0;
  bool century = false;
};
DatasetDateFormat CurrentDatasetDateFormat();

}  // namespace pw
