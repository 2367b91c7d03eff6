// The reminder pass: every reminder that is due records that it fired
// (DATEALMACT today, TIMEALMACT the ALARMTIME in force) and opens a reminder
// window with the note's caption, colour and text.
#include "app/controller/note_pass_frame.h"
#include "app/controller/notes_main.h"
#include "app/record/note_caption.h"
#include "app/record/note_fields.h"
#include "app/record/note_values.h"
#include "dataset/dbf_table.h"
#include "reminders/pass_clock.h"
#include "reminders/reminder_due.h"
#include "reminders/reminder_window.h"

namespace pw {

bool NotesController::ReminderIsDue(DbfTable& table) {
  const ReminderFields fields{
      .active = table.GetFieldStr(note_field::kAlarmAct) == QLatin1String("Y"),
      .kind = table.GetFieldInt(note_field::kAlarmType),
      .alarmDate = DateOfText(table.GetFieldDate(note_field::kAlarmDate)),
      .alarmTime = table.GetFieldStr(note_field::kAlarmTime),
      .firedDate = DateOfText(table.GetFieldDate(note_field::kDateAlmAct)),
      .firedTime = table.GetFieldStr(note_field::kTimeAlmAct),
  };
  return pw::ReminderIsDue(fields, clock_->Now());
}

void NotesController::FireReminders() {
  DbfTable& notes = *notesTable_;
  WalkFlaggedNotes(notes, "The reminder pass", note_tag::kAlarmAct, note_field::kAlarmAct, [&] {
    if (!ReminderIsDue(notes)) return false;
    // Recorded before the window opens, so that the reminder does not fire
    // again for this day and time, whatever the user does with the window.
    notes.SetFieldDate(note_field::kDateAlmAct, DateText(clock_->Now().date()));
    notes.SetFieldStr(note_field::kTimeAlmAct, notes.GetFieldStr(note_field::kAlarmTime));
    if (notes.RLock()) {
      notes.ReplaceRec();
    } else {
      notes.Cancel();
    }
    notes.UnLock();
    OpenReminderWindow()->ShowReminder();
    return false;
  });
}

ReminderWindow* NotesController::OpenReminderWindow() {
  DbfTable& notes = *notesTable_;
  auto* window = new ReminderWindow(dataFolder_, Sounds(), this);
  window->SetCaption(CaptionOfRecord(notes));
  window->SetNoteColor(ColorOfWindowsValue(notes.GetFieldInt(note_field::kColor)));
  std::unique_ptr<MemoStream> memo =
      notes.CreateBlobStreamByName(note_field::kMemo, MemoStream::kRead);
  // A memo that cannot be read leaves the text empty; the reminder still rings.
  if (memo && memo->isOpen()) window->LoadText(memo.get());
  return window;
}

}  // namespace pw
