// KNotes' notes.ics (~/.local/share/knotes/notes.ics, or ~/.kde/share/apps/
// knotes/notes.ics): an iCalendar file with one VJOURNAL per note, its
// SUMMARY the title, its DESCRIPTION the text (HTML when the property
// X-KDE-KNotes-RichText is "true"), its UID the note's id. Read with
// libical; a file libical reports errors in, or one cut short before its
// END:VCALENDAR, is refused.
#include <libical/ical.h>

#include <QFileInfo>
#include <memory>

#include "import/note_text.h"
#include "import/source_file.h"
#include "import/source_readers.h"

namespace pw {

namespace {

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};

QString Utf8(const char* text) {
  return text == nullptr ? QString() : QString::fromUtf8(text);
}

bool IsRichText(icalcomponent* journal) {
  for (icalproperty* property = icalcomponent_get_first_property(journal, ICAL_X_PROPERTY);
       property != nullptr; property = icalcomponent_get_next_property(journal, ICAL_X_PROPERTY)) {
    if (qstricmp(icalproperty_get_x_name(property), "X-KDE-KNotes-RichText") == 0) {
      return qstricmp(icalproperty_get_x(property), "true") == 0;
    }
  }
  return false;
}

QDate DateOf(icaltimetype time) {
  if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time)) return {};
  return QDate(time.year, time.month, time.day);
}

}  // namespace

ImportRead ReadKNotesCalendar(const QString& path) {
  QByteArray bytes;
  QString error;
  if (!ReadSourceFile(path, &bytes, &error)) return {false, error, {}};
  const QByteArray trimmed = bytes.trimmed();
  if (!trimmed.startsWith("BEGIN:VCALENDAR") || !trimmed.endsWith("END:VCALENDAR") ||
      bytes.contains('\0')) {
    return Refused(path, QStringLiteral("is not a whole iCalendar file"));
  }
  icalerror_set_errors_are_fatal(0);
  const std::unique_ptr<icalcomponent, ComponentFree> calendar(
      icalparser_parse_string(bytes.constData()));
  if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT ||
      icalcomponent_count_errors(calendar.get()) > 0) {
    return Refused(path, QStringLiteral("is a damaged iCalendar file"));
  }
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("KNotes");
  bool alarms = false;
  for (icalcomponent* journal =
           icalcomponent_get_first_component(calendar.get(), ICAL_VJOURNAL_COMPONENT);
       journal != nullptr;
       journal = icalcomponent_get_next_component(calendar.get(), ICAL_VJOURNAL_COMPONENT)) {
    if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(path);
    ImportedNote note;
    note.sourceId = Utf8(icalcomponent_get_uid(journal));
    if (note.sourceId.isEmpty()) return Refused(path, QStringLiteral("holds a note without a UID"));
    note.caption = Utf8(icalcomponent_get_summary(journal)).left(50);
    const QString text = Utf8(icalcomponent_get_description(journal));
    note.rtf = IsRichText(journal) ? RtfOfHtml(text) : RtfOfPlainText(text);
    note.created = DateOf(icalcomponent_get_dtstart(journal));
    if (!note.created.isValid()) {
      if (icalproperty* created =
              icalcomponent_get_first_property(journal, ICAL_CREATED_PROPERTY)) {
        note.created = DateOf(icalproperty_get_created(created));
      }
    }
    alarms = alarms || icalcomponent_get_first_component(journal, ICAL_VALARM_COMPONENT);
    batch.notes.push_back(std::move(note));
  }
  batch.notCarried << QStringLiteral(
      "Colours, places and sizes: KNotes keeps them in its own "
      "settings, not in notes.ics; the notes open light yellow.");
  if (alarms) batch.notCarried << QStringLiteral("KNotes alarms: set them again as reminders.");
  return Accepted(path, std::move(batch));
}

}  // namespace pw
