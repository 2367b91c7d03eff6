// Bringing notes onto the desktop when asked from outside the menus: every
// note at once, and what a second start of the program shows.
#include <QCoreApplication>
#include <QMessageBox>

#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "app/record/note_fields.h"
#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"
#include "desktop/tray_notify_icon.h"
#include "settings/config_keys.h"

namespace pw {

void NotesController::ShowAllNotes() {
  DbfTable& notes = *notesTable_;
  if (!notes.Active()) return;
  const QString savedTag = notes.CurrentTag();
  // Record order: showing a note changes its key in the SHOWING order.
  notes.SetOrderTo(0);
  try {
    notes.GoTop();
    while (!notes.Eof() && notes.LastError() == 0) {
      if (!notes.Deleted() && notes.GetFieldStr(note_field::kShowing) != "Y") {
        const std::int32_t recordNumber = notes.RecNo();
        // Written with the window's handle.
        notes.SetFieldStr(note_field::kShowing, QStringLiteral("Y"));
        ShowNoteWindow();
        QCoreApplication::processEvents();
        notes.Go(recordNumber);
      }
      notes.Skip(1);
    }
  } catch (const EngineError&) {
    // A failed step ends the pass; the notes shown so far stay.
  }
  if (!savedTag.isEmpty()) notes.SetOrderToTag(savedTag);
  BringForward();
}

void NotesController::SecondStart() {
  // Without a notification area the user has no other way in.
  if (trayIcon_ != nullptr && trayIcon_->FallbackWindow() != nullptr) {
    onNotesAndReminders();
  } else {
    BringForward();
  }
}

void NotesController::TellWhenPlacesAreNotKept() {
  if (PlacesWindows()) return;
  IniFile config(dataFolder_ + kConfigFileName);
  if (ReadSetting(config, config::kPlacesNoticeShown)) return;
  WriteSetting(config, config::kPlacesNoticeShown, true);
  auto* box = new QMessageBox(
      QMessageBox::Information, QCoreApplication::applicationName(),
      QStringLiteral("This desktop places every window itself, so Paperwisp cannot put your "
                     "notes back where you left them, and places you give them here are not "
                     "kept. The notes keep their size and text.\n\nTo keep the places, start "
                     "Paperwisp with QT_QPA_PLATFORM=xcb."),
      QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}

}  // namespace pw
