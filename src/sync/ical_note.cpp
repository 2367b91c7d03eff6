#include "sync/ical_note.h"

#include <libical/ical.h>

#include <QDateTime>
#include <cstdlib>
#include <memory>

#include "reminders/reminder_due.h"
#include "richtext/rtf_plain_text.h"

namespace pw {
namespace {

constexpr char kRtfName[] = "X-PAPERWISP-RTF";
constexpr char kColorName[] = "X-PAPERWISP-COLOR";
constexpr char kBoardName[] = "X-PAPERWISP-BOARD";
constexpr char kTrashedName[] = "X-PAPERWISP-TRASHED";

struct ComponentFree {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentFree>;

void AddX(icalcomponent* component, const char* name, const QByteArray& value) {
  icalproperty* property = icalproperty_new_x(value.constData());
  icalproperty_set_x_name(property, name);
  icalcomponent_add_property(component, property);
}

icaltimetype FloatingTime(QDate date, QTime time) {
  icaltimetype result = icaltime_null_time();
  result.year = date.year();
  result.month = date.month();
  result.day = date.day();
  result.hour = time.hour();
  result.minute = time.minute();
  return result;
}

const char* RuleOfKind(int kind) {
  switch (kind) {
    case kReminderEveryDay:
      return "FREQ=DAILY";
    case kReminderEveryWeekday:
      return "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR";
    case kReminderEveryWeek:
      return "FREQ=WEEKLY";
    case kReminderEveryMonth:
      return "FREQ=MONTHLY";
    case kReminderEveryYear:
      return "FREQ=YEARLY";
    default:
      return nullptr;
  }
}

void AddReminder(icalcomponent* todo, const SyncNote& note) {
  const icaltimetype due = FloatingTime(note.reminder.date, note.reminder.time);
  icalcomponent_add_property(todo, icalproperty_new_dtstart(due));
  icalcomponent_add_property(todo, icalproperty_new_due(due));
  if (const char* rule = RuleOfKind(note.reminder.kind))
    icalcomponent_add_property(todo, icalproperty_new_rrule(icalrecurrencetype_from_string(rule)));
  icalcomponent* alarm = icalcomponent_new_valarm();
  icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
  icalcomponent_add_property(alarm,
                             icalproperty_new_description(note.caption.toUtf8().constData()));
  icalcomponent_add_property(alarm, icalproperty_new_from_string("TRIGGER;RELATED=END:PT0S"));
  icalcomponent_add_component(todo, alarm);
}

QByteArray ColorText(std::int32_t windowsValue) {
  const auto value = static_cast<std::uint32_t>(windowsValue);
  const std::uint32_t rgb = ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
  return "#" + QByteArray::number(rgb, 16).rightJustified(6, '0').toUpper();
}

std::optional<std::int32_t> WindowsValueOfColorText(const QByteArray& text) {
  bool ok = false;
  const std::uint32_t rgb =
      text.size() == 7 && text.startsWith('#') ? text.mid(1).toUInt(&ok, 16) : 0;
  if (!ok) return std::nullopt;
  return static_cast<std::int32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

QString Text(const char* value) {
  return value ? QString::fromUtf8(value) : QString();
}

icalcomponent* NoteComponent(icalcomponent* root) {
  const icalcomponent_kind kind = icalcomponent_isa(root);
  if (kind == ICAL_VTODO_COMPONENT || kind == ICAL_VJOURNAL_COMPONENT) return root;
  if (kind != ICAL_VCALENDAR_COMPONENT) return nullptr;
  if (icalcomponent* todo = icalcomponent_get_first_component(root, ICAL_VTODO_COMPONENT))
    return todo;
  return icalcomponent_get_first_component(root, ICAL_VJOURNAL_COMPONENT);
}

// Local date and time of a DUE or DTSTART: UTC and zoned times are moved to
// the local zone, floating times are local already.
QDateTime LocalDateTime(icaltimetype time) {
  if (icaltime_is_utc(time) || (time.zone && !time.is_date)) {
    const auto seconds =
        icaltime_as_timet_with_zone(time, time.zone ? time.zone : icaltimezone_get_utc_timezone());
    return QDateTime::fromSecsSinceEpoch(seconds);
  }
  return QDateTime(QDate(time.year, time.month, time.day),
                   time.is_date ? QTime(0, 0) : QTime(time.hour, time.minute));
}

bool IsWorkWeek(const icalrecurrencetype& rule) {
  int days = 0;
  for (int i = 0; i < ICAL_BY_DAY_SIZE && rule.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
    const icalrecurrencetype_weekday day = icalrecurrencetype_day_day_of_week(rule.by_day[i]);
    if (day == ICAL_SUNDAY_WEEKDAY || day == ICAL_SATURDAY_WEEKDAY) return false;
    ++days;
  }
  return days == 5;
}

int KindOfRule(icalcomponent* component) {
  icalproperty* property = icalcomponent_get_first_property(component, ICAL_RRULE_PROPERTY);
  if (!property) return kReminderOnce;
  const icalrecurrencetype rule = icalproperty_get_rrule(property);
  switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
      return IsWorkWeek(rule) ? kReminderEveryWeekday : kReminderEveryDay;
    case ICAL_WEEKLY_RECURRENCE:
      return IsWorkWeek(rule) ? kReminderEveryWeekday : kReminderEveryWeek;
    case ICAL_MONTHLY_RECURRENCE:
      return kReminderEveryMonth;
    case ICAL_YEARLY_RECURRENCE:
      return kReminderEveryYear;
    default:
      return kReminderEveryDay;
  }
}

// A reminder rings only where the object has an alarm; a due date alone is
// a deadline, not a reminder.
SyncReminder ReminderOf(icalcomponent* component) {
  SyncReminder reminder;
  if (!icalcomponent_get_first_component(component, ICAL_VALARM_COMPONENT)) return reminder;
  icaltimetype when = icalcomponent_isa(component) == ICAL_VTODO_COMPONENT
                          ? icalcomponent_get_due(component)
                          : icaltime_null_time();
  if (icaltime_is_null_time(when)) when = icalcomponent_get_dtstart(component);
  if (icaltime_is_null_time(when) || !icaltime_is_valid_time(when)) return reminder;
  const QDateTime local = LocalDateTime(when);
  if (!local.isValid()) return reminder;
  reminder.active = true;
  reminder.kind = KindOfRule(component);
  reminder.date = local.date();
  reminder.time = QTime(local.time().hour(), local.time().minute());
  return reminder;
}

}  // namespace

QByteArray ICalendarOfNote(const SyncNote& note) {
  ComponentPtr calendar(icalcomponent_new_vcalendar());
  icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
  icalcomponent_add_property(calendar.get(),
                             icalproperty_new_prodid("-//Paperwisp//Paperwisp notes//EN"));
  icalcomponent* todo = icalcomponent_new_vtodo();
  icalcomponent_add_property(todo, icalproperty_new_uid(note.uid.toUtf8().constData()));
  icalcomponent_add_property(
      todo,
      icalproperty_new_dtstamp(icaltime_current_time_with_zone(icaltimezone_get_utc_timezone())));
  icalcomponent_add_property(todo, icalproperty_new_summary(note.caption.toUtf8().constData()));
  icalcomponent_add_property(
      todo, icalproperty_new_description(PlainTextOfRtf(note.rtf).toUtf8().constData()));
  AddX(todo, kRtfName, note.rtf.toBase64());
  AddX(todo, kColorName, ColorText(note.color));
  AddX(todo, kBoardName, note.board.toUtf8());
  if (note.trashed) AddX(todo, kTrashedName, "TRUE");
  if (note.reminder.active && note.reminder.date.isValid()) AddReminder(todo, note);
  icalcomponent_add_component(calendar.get(), todo);
  char* text = icalcomponent_as_ical_string_r(calendar.get());
  QByteArray result(text);
  std::free(text);
  return result;
}

ParsedICalendar NoteOfICalendar(const QByteArray& text) {
  ParsedICalendar parsed;
  const QByteArray terminated = text + '\0';
  ComponentPtr root(icalparser_parse_string(terminated.constData()));
  if (!root) return parsed;
  icalcomponent* component = NoteComponent(root.get());
  if (!component) {
    const bool isCalendar = icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT;
    parsed.kind = isCalendar ? ICalendarKind::kNoNote : ICalendarKind::kMalformed;
    return parsed;
  }
  SyncNote& note = parsed.note;
  note.uid = Text(icalcomponent_get_uid(component)).trimmed();
  if (note.uid.isEmpty()) return parsed;
  note.caption = Text(icalcomponent_get_summary(component)).trimmed();
  const QString description = Text(icalcomponent_get_description(component));
  for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_X_PROPERTY);
       property; property = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
    const QByteArray name = QByteArray(icalproperty_get_x_name(property)).toUpper();
    const QByteArray value = QByteArray(icalproperty_get_x(property)).trimmed();
    if (name == kRtfName) {
      note.rtf = QByteArray::fromBase64(value);
    } else if (name == kColorName) {
      note.color = WindowsValueOfColorText(value).value_or(note.color);
    } else if (name == kBoardName) {
      const int board = value.toInt();
      if (board >= 1 && board <= 10) note.board = QString::number(board);
    } else if (name == kTrashedName) {
      note.trashed = value.toUpper() == "TRUE";
    }
  }
  if (note.rtf.isEmpty() || PlainTextOfRtf(note.rtf) != description)
    note.rtf = RtfOfPlainText(description);
  note.reminder = ReminderOf(component);
  parsed.kind = ICalendarKind::kNote;
  return parsed;
}

}  // namespace pw
