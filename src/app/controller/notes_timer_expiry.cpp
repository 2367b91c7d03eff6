// The expiry pass: every note whose expiry moment has come is taken off the
// desktop and, when it asks for it, moved into the trash table. At start-up
// (no window exists yet) the record is only marked hidden; while running
// the note's window is asked to hide, and saves itself hidden.
#include <QCoreApplication>

#include "app/controller/note_pass_frame.h"
#include "app/controller/notes_main.h"
#include "app/note/note_window_registry.h"
#include "app/record/note_fields.h"
#include "common/date_text.h"
#include "dataset/dbf_table.h"
#include "reminders/note_expiry.h"
#include "reminders/pass_clock.h"

namespace pw {
namespace {

bool IsYes(DbfTable& notes, const char* field) {
  return notes.GetFieldStr(QString::fromLatin1(field)) == QLatin1String("Y");
}

// SHOWING "N" written straight into the record.
void MarkHidden(DbfTable& notes) {
  notes.SetFieldStr(note_field::kShowing, QStringLiteral("N"));
  if (notes.RLock()) {
    notes.ReplaceRec();
  } else {
    notes.Cancel();
  }
  notes.UnLock();
}

}  // namespace

bool NotesController::NoteIsExpired(DbfTable& table) {
  const std::string expireDate = table.GetFieldDate(note_field::kExpireDate).toStdString();
  const ExpiryFields fields{
      .expires = IsYes(table, note_field::kExpires),
      .expireDate = QString::fromStdString(DateToSortText(expireDate)),
      .type = table.GetFieldInt(note_field::kExpireType),
      .expireTime = table.GetFieldStr(note_field::kExpireTime),
  };
  return pw::NoteIsExpired(fields, clock_->Now());
}

void NotesController::ExpireNotes(ExpireMode mode) {
  DbfTable& notes = *notesTable_;
  WalkFlaggedNotes(notes, "The expiry pass", note_tag::kExpireAct, note_field::kExpires,
                   [&] { return NoteIsExpired(notes) && ExpireNote(mode); });
}

bool NotesController::ExpireNote(ExpireMode mode) {
  DbfTable& notes = *notesTable_;
  if (IsYes(notes, note_field::kShowing)) {
    const std::int32_t recordNumber = notes.RecNo();
    // The window saves itself with SHOWING "N", which puts the table back on
    // this record; a record whose window is gone is marked hidden here.
    if (mode == ExpireMode::kRunning &&
        SendNoteRequest(notes.GetFieldInt(note_field::kHandle), kHideNoteRequest)) {
      QCoreApplication::processEvents();
      if (!notes.Active()) return false;
      if (notes.RecNo() != recordNumber) notes.Go(recordNumber);
    } else {
      MarkHidden(notes);
    }
  }
  if (!IsYes(notes, note_field::kExpireTrsh) || !CopyNoteToTrash()) return false;
  const std::int32_t recordNumber = notes.RecNo();
  const bool locked = notes.RLock();
  if (locked) notes.DeleteRec();
  notes.UnLock();
  // The deletion made the next record of the order current; a record that
  // stayed (lock refused, or the last one) is stepped over as usual.
  return locked && !notes.Eof() && notes.RecNo() != recordNumber;
}

}  // namespace pw
