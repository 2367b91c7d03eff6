// Nothing typed is lost: a change of a shown note's text, title or geometry
// is written into its record a moment after the last one, and at once when
// the window loses the focus, through the same save as every other.
#include <QEvent>
#include <QTimer>

#include "app/note/note_host.h"
#include "app/note/note_window.h"
#include "dataset/tz_dbf.h"

namespace pw {

void TFrmNote::ScheduleSave() {
  // Loading the window from its record is no change.
  if (isVisible()) autosaveTimer_->start();
}

bool TFrmNote::SavePending() const {
  return autosaveTimer_->isActive();
}

void TFrmNote::SaveRecordNow() {
  TTzDbf& notes = host_.TzNotes();
  if (!notes.Active()) return;
  // A loop of the controller's that walked off the table's end cannot be
  // put back there; the save waits for it to finish.
  if (notes.Eof()) {
    autosaveTimer_->start();
    return;
  }
  const std::int32_t walkedRecord = notes.RecNo();
  const SaveResult result = WriteRecord(ShowingMode::Keep);
  // The controller may be walking the table between its own steps.
  if (walkedRecord != 0 && notes.RecNo() != walkedRecord) notes.Go(walkedRecord);
  if (result == SaveResult::Refused) autosaveTimer_->start();
}

void TFrmNote::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && SavePending()) {
    SaveRecordNow();
  }
}

}  // namespace pw
