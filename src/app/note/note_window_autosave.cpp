// Nothing typed is lost: a change of a shown note's text, title or geometry
// is written into its record a moment after the last one, and at once when
// the window loses the focus, through the same save as every other.
#include <QEvent>
#include <QTimer>

#include "app/note/note_host.h"
#include "app/note/note_window.h"
#include "dataset/dbf_table.h"

namespace pw {

void NoteWindow::ScheduleSave() {
  // Loading the window from its record is no change.
  if (isVisible()) autosaveTimer_->start();
}

bool NoteWindow::SavePending() const {
  return autosaveTimer_->isActive();
}

void NoteWindow::SaveRecordNow() {
  DbfTable& notes = host_.NotesTable();
  if (!notes.Active()) return;
  // The controller may be walking the table between its own steps: the
  // save puts it back where it was, past the end included.
  const bool pastTheEnd = notes.Eof();
  const std::int32_t walkedRecord = notes.RecNo();
  const SaveResult result = WriteRecord(ShowingMode::Keep);
  if (pastTheEnd) {
    while (!notes.Eof() && notes.LastError() == 0) notes.Skip(1);
  } else if (walkedRecord != 0 && notes.RecNo() != walkedRecord) {
    notes.Go(walkedRecord);
  }
  if (result == SaveResult::Refused) autosaveTimer_->start();
}

void NoteWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && SavePending()) {
    SaveRecordNow();
  }
}

}  // namespace pw
