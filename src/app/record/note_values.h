// How note records hold colours, times of day and dates: Windows colour
// values (0x00BBGGRR), time texts ("9:5" for 09:05, seconds not kept) and
// date texts in the process-wide short date format.
#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>

#include "settings/windows_color.h"

namespace pw {

// Hour and minute without leading zeros, joined by ":".
QString TimeText(QTime time);
// Read as the minute passes read it (reminders/time_text.h), so that a
// dialog shows the time a reminder rings at; an hour above 23 or a minute
// above 59 is taken as 23 or 59.
QTime TimeOfText(const QString& text);

// The date of a date text; invalid when the text is blank or no date.
QDate DateOfText(const QString& text);
QString DateText(QDate date);

}  // namespace pw
