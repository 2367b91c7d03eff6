// A note as one iCalendar object (RFC 5545), through libical.
//
// Every note is a VTODO, with or without a reminder: the task lists of the
// common desktop, web and phone clients show VTODO, few show VJOURNAL.
//   UID, SUMMARY (caption), DESCRIPTION (plain text)
//   X-PAPERWISP-RTF      the memo's bytes, base64, so they come back exactly
//   X-PAPERWISP-COLOR    "#RRGGBB"
//   X-PAPERWISP-BOARD    the template board, "1" .. "10"
//   X-PAPERWISP-TRASHED  "TRUE" while the note is in the trash
//   a reminder: DTSTART = DUE = its first day and time (floating, local),
//     RRULE for the recurring kinds, a VALARM with TRIGGER;RELATED=END:PT0S
// Reading also takes VJOURNAL objects and tasks written by other clients:
// their DESCRIPTION becomes the text when the RTF is missing or no longer
// matches it (another client edited the text).
#pragma once

#include <QByteArray>
#include <optional>

#include "sync/sync_note.h"

namespace pw {

QByteArray ICalendarOfNote(const SyncNote& note);

// Whether the text holds a note at all: objects without a VTODO or VJOURNAL
// (events in a shared calendar) are no notes.
enum class ICalendarKind { kNote, kNoNote, kMalformed };
struct ParsedICalendar {
  ICalendarKind kind = ICalendarKind::kMalformed;
  SyncNote note;
};
ParsedICalendar NoteOfICalendar(const QByteArray& text);

}  // namespace pw
