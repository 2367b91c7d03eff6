#include "sync/ical_note.h"

#include <gtest/gtest.h>

#include "reminders/reminder_due.h"
#include "richtext/rtf_plain_text.h"

namespace pw {
namespace {

SyncNote SampleNote() {
  SyncNote note;
  note.uid = "5d0c2b8e-0d5e-4a43-9a1e-7f7d1f0c9b11";
  note.caption = "Groceries, milk; \"bread\"";
  note.rtf = RtfOfPlainText("Milk\nBread \u00e9\u4e2d");
  note.color = 0x00C0FF80;  // BGR
  note.board = "7";
  return note;
}

TEST(ICalendarNote, EveryFieldComesBackAndTheRtfByteForByte) {
  SyncNote note = SampleNote();
  note.trashed = true;
  const QByteArray text = ICalendarOfNote(note);
  EXPECT_TRUE(text.contains("BEGIN:VTODO")) << text.constData();
  EXPECT_TRUE(text.contains("X-PAPERWISP-COLOR:#80FFC0")) << text.constData();
  EXPECT_FALSE(text.contains("VALARM"));
  const ParsedICalendar parsed = NoteOfICalendar(text);
  ASSERT_EQ(parsed.kind, ICalendarKind::kNote);
  EXPECT_EQ(parsed.note.uid, note.uid);
  EXPECT_EQ(parsed.note.caption, note.caption);
  EXPECT_EQ(parsed.note.rtf, note.rtf);
  EXPECT_EQ(parsed.note.color, note.color);
  EXPECT_EQ(parsed.note.board, "7");
  EXPECT_TRUE(parsed.note.trashed);
  EXPECT_EQ(ContentDigest(parsed.note), ContentDigest(note));
}

TEST(ICalendarNote, EachReminderKindTravelsAsDueAlarmAndRule) {
  const struct {
    int kind;
    const char* rule;
  } cases[] = {{kReminderOnce, nullptr},
               {kReminderEveryDay, "RRULE:FREQ=DAILY"},
               {kReminderEveryWeekday, "RRULE:FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"},
               {kReminderEveryWeek, "RRULE:FREQ=WEEKLY"},
               {kReminderEveryMonth, "RRULE:FREQ=MONTHLY"},
               {kReminderEveryYear, "RRULE:FREQ=YEARLY"}};
  for (const auto& c : cases) {
    SyncNote note = SampleNote();
    note.reminder = {true, c.kind, QDate(2026, 3, 31), QTime(9, 5)};
    const QByteArray text = ICalendarOfNote(note);
    EXPECT_TRUE(text.contains("DUE:20260331T090500")) << text.constData();
    EXPECT_TRUE(text.contains("BEGIN:VALARM"));
    EXPECT_EQ(text.contains("RRULE"), c.rule != nullptr) << c.kind;
    if (c.rule) {
      EXPECT_TRUE(text.contains(c.rule)) << text.constData();
    }
    const ParsedICalendar parsed = NoteOfICalendar(text);
    ASSERT_EQ(parsed.kind, ICalendarKind::kNote);
    EXPECT_EQ(parsed.note.reminder, note.reminder) << c.kind;
  }
}

TEST(ICalendarNote, AnotherClientsTaskOrJournalBecomesANote) {
  const QByteArray task =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//"
      "EN\r\nBEGIN:VTODO\r\nUID:phone-1@example.org\r\n"
      "DTSTAMP:20260101T000000Z\r\nSUMMARY:Call back\r\nDESCRIPTION:Ask about\\, the offer\r\n"
      "DUE:20260102T080000Z\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;RELATED=END:PT0S\r\nEND:"
      "VALARM\r\n"
      "END:VTODO\r\nEND:VCALENDAR\r\n";
  const ParsedICalendar parsed = NoteOfICalendar(task);
  ASSERT_EQ(parsed.kind, ICalendarKind::kNote);
  EXPECT_EQ(parsed.note.caption, "Call back");
  EXPECT_EQ(PlainTextOfRtf(parsed.note.rtf), "Ask about, the offer");
  EXPECT_TRUE(parsed.note.reminder.active);
  const QDateTime local = QDateTime(QDate(2026, 1, 2), QTime(8, 0), Qt::UTC).toLocalTime();
  EXPECT_EQ(parsed.note.reminder.date, local.date());
  EXPECT_EQ(parsed.note.reminder.time, local.time());

  const QByteArray journal =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VJOURNAL\r\nUID:j1\r\n"
      "DTSTAMP:20260101T000000Z\r\nSUMMARY:Idea\r\nDESCRIPTION:Line one\\nLine "
      "two\r\nEND:VJOURNAL\r\n"
      "END:VCALENDAR\r\n";
  const ParsedICalendar idea = NoteOfICalendar(journal);
  ASSERT_EQ(idea.kind, ICalendarKind::kNote);
  EXPECT_EQ(PlainTextOfRtf(idea.note.rtf), "Line one\nLine two");
  EXPECT_FALSE(idea.note.reminder.active);
}

TEST(ICalendarNote, TextEditedElsewhereWinsOverTheStaleRtf) {
  QByteArray text = ICalendarOfNote(SampleNote());
  text.replace("DESCRIPTION:Milk", "DESCRIPTION:Eggs");
  const ParsedICalendar parsed = NoteOfICalendar(text);
  ASSERT_EQ(parsed.kind, ICalendarKind::kNote);
  EXPECT_TRUE(PlainTextOfRtf(parsed.note.rtf).startsWith("Eggs"))
      << PlainTextOfRtf(parsed.note.rtf).toStdString();
}

TEST(ICalendarNote, EventsAreNoNotesAndGarbageIsRefused) {
  EXPECT_EQ(
      NoteOfICalendar("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:e\r\nEND:VEVENT\r\n"
                      "END:VCALENDAR\r\n")
          .kind,
      ICalendarKind::kNoNote);
  EXPECT_EQ(
      NoteOfICalendar(
          "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:no uid\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")
          .kind,
      ICalendarKind::kMalformed);
  EXPECT_EQ(NoteOfICalendar("<html>502 Bad Gateway</html>").kind, ICalendarKind::kMalformed);
  // Cut off in the middle, a NUL inside.
  EXPECT_EQ(
      NoteOfICalendar(QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:x\r\nDUE:2026\0", 40)).kind,
      ICalendarKind::kMalformed);
}

}  // namespace
}  // namespace pw
