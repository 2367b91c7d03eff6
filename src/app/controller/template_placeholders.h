// The placeholders a template text may hold, filled in when a note is made
// from it: "<TIME>", "<DATE>", "<LONGDATE>" and the caret mark "<C>".
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace pw {

class NoteEditor;

struct PlaceholderValues {
  QString time;      // the locale's long time format, without the time zone
  QString date;      // the process-wide short date format
  QString longDate;  // "dddd, mmmm d, yyyy" with the locale's names
};

// The values for the moment `now`.
PlaceholderValues PlaceholderValuesAt(const QDateTime& now, const QLocale& locale);

// Replaces the first occurrence of each placeholder, in the order time,
// date, long date, each searched afresh from the start of the text; puts the
// caret at the start and then deletes the first "<C>", so that the caret
// ends where that mark stood.
void FillPlaceholders(NoteEditor& editor, const PlaceholderValues& values);

}  // namespace pw
