// Everything the note properties dialog shows and edits about one note, as
// plain values: the note window fills them from its state, the dialog edits
// a copy, and the caller takes the edited copy back after OK. Nothing here
// knows of tables or windows, so a note without a window can be edited from
// its record's fields just as well.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QDate>
#include <QFont>
#include <QString>
#include <QTime>

namespace pw {

struct NoteReminder {
  bool active = false;
  int recurrence = 0;  // ALARMTYPE: 0 once .. 5 every year
  QDate date;
  QTime time;
};

struct NoteExpiry {
  bool expires = false;
  int type = 1;  // 1 once, 2 every day
  bool movesToTrash = false;
  QDate date;
  QTime time;
};

struct NoteProps {
  QByteArray richText;  // the note's text as RTF, as the MEMO field holds it
  bool urlDetection = true;
  QString title;
  // Always true when the dialog opens; false after OK means: hide the note.
  bool showing = true;
  bool stayOnTop = false;
  QColor color;
  QString createdText;  // DATECREATE as the short date format shows it
  QFont captionFont;    // only the family and the point size count
  QColor captionColor;
  NoteReminder reminder;
  NoteExpiry expiry;
};

}  // namespace pw
