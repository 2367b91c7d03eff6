// Moving a note into the trash table: the copy of its record that the note
// window, or the Notes & Reminders window, asks for before it deletes its own.
#include "app/controller/notes_main.h"
#include "app/record/note_record.h"
#include "dataset/dbf_table.h"

namespace pw {

bool NotesController::CopyNoteToTrash() {
  return CopyNoteToTrashFrom(*notesTable_);
}

bool NotesController::CopyNoteToTrashFrom(DbfTable& source) {
  DbfTable& trash = *trashTable_;
  CopyNoteRecord(source, trash);
  if (!trash.ALock()) {
    trash.Cancel();
    trash.UnLock();
    return false;
  }
  trash.AppendRec();
  const bool appended = trash.LastError() == 0;
  // A copy that did not reach the trash must not cost the note its record.
  if (!appended) trash.Cancel();
  trash.UnLock();
  return appended;
}

}  // namespace pw
