// The controller's side of the Notes & Reminders window: opening it, and
// opening a note's window for it.
#include <QCoreApplication>
#include <QMessageBox>

#include "app/controller/notes_main.h"
#include "app/maintain/maintain_notes.h"
#include "app/note/note_window.h"
#include "app/note/note_window_registry.h"
#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"

namespace pw {

void NotesController::onNotesAndReminders() {
  if (maintainNotes_ == nullptr) {
    try {
      maintainNotes_ = new NotesManagerWindow(*this, this);
    } catch (const EngineError& error) {
      QMessageBox::warning(nullptr, QCoreApplication::applicationName(),
                           QString::fromUtf8(error.what()), QMessageBox::Ok);
      return;
    }
    maintainNotes_->setAttribute(Qt::WA_DeleteOnClose);
    // Modal as a dialog, but without a nested event loop, so that a second
    // request (a second start, the command line) only brings it forward.
    maintainNotes_->setWindowModality(Qt::ApplicationModal);
    connect(maintainNotes_, &NotesManagerWindow::editNotePropertiesRequested, this,
            &NotesController::EditNotePropertiesOfRecord);
  }
  maintainNotes_->show();
  maintainNotes_->raise();
  maintainNotes_->activateWindow();
}

NotesManagerWindow* NotesController::MaintainNotes() const {
  return maintainNotes_;
}

void NotesController::EditNotePropertiesOfRecord(std::int32_t recordNumber) {
  // The window of the record edits and saves it, as its own menu would.
  for (NoteWindow* window : findChildren<NoteWindow*>()) {
    if (window->RecordLink() == recordNumber) {
      SendNoteRequest(window->Handle(), kPropertiesNoteRequest);
      return;
    }
  }
}

void NotesController::ShowNoteOfRecord(std::int32_t recordNumber) {
  DbfTable& notes = *notesTable_;
  notes.Go(recordNumber);
  if (notes.LastError() != 0 || notes.Eof() || notes.RecNo() != recordNumber) return;
  ShowNoteWindow();
}

}  // namespace pw
