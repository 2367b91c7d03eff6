// The context menus of the Notes & Reminders window and their actions.
#include <QApplication>
#include <QMenu>
#include <QMessageBox>

#include "app/maintain/maintain_notes.h"
#include "app/maintain/maintain_notes_host.h"
#include "app/note/note_window_registry.h"
#include "app/record/note_fields.h"
#include "app/record/note_record.h"
#include "dataset/dbf_table.h"
#include "grid/data_grid.h"

namespace pw {

namespace {

bool IsShowing(DbfTable& notes) {
  return notes.GetFieldStr(QString::fromLatin1(note_field::kShowing)) == QStringLiteral("Y");
}

// The hide request to the note's window; a window that is gone is no error.
void HideNoteWindow(DbfTable& notes) {
  SendNoteRequest(notes.GetFieldInt(QString::fromLatin1(note_field::kHandle)), kHideNoteRequest);
}

bool Confirmed(QWidget* parent, const QString& question) {
  return QMessageBox::question(parent, parent->windowTitle(), question,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

bool GoToRecordOf(const DataGrid& grid, DbfTable& table) {
  const std::int32_t record = grid.CurrentRecordNumber();
  if (record <= 0 || table.IsEmpty()) return false;
  // Go re-reads the record, which other views may have changed.
  table.Go(record);
  return DbfTable::LastError() == 0 && !table.Eof() && table.RecNo() == record;
}

// While the window works through a loop: the hourglass, the window
// disabled and the grid not repainted; undone however the loop ends.
class BusyScope {
 public:
  BusyScope(QWidget& window, QWidget& grid) : window_(window), grid_(grid) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    window_.setEnabled(false);
    grid_.setUpdatesEnabled(false);
  }
  ~BusyScope() {
    grid_.setUpdatesEnabled(true);
    window_.setEnabled(true);
    QApplication::restoreOverrideCursor();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  QWidget& window_;
  QWidget& grid_;
};

}  // namespace

void NotesManagerWindow::BuildMenus() {
  popupNotes_ = new QMenu(this);
  popupNotes_->setObjectName(QStringLiteral("PopupNotes"));
  QAction* edit = popupNotes_->addAction(QStringLiteral("Edit Note Properties..."));
  edit->setObjectName(QStringLiteral("EditNoteProperties1"));
  connect(edit, &QAction::triggered, this, &NotesManagerWindow::onEditNoteProperties);
  popupNotes_->addSeparator();
  showNoteOnDesktopItem_ = popupNotes_->addAction(QStringLiteral("Show Note on Desktop"));
  showNoteOnDesktopItem_->setObjectName(QStringLiteral("ShowNoteonDesktop1"));
  showNoteOnDesktopItem_->setCheckable(true);
  connect(showNoteOnDesktopItem_, &QAction::triggered, this,
          &NotesManagerWindow::onShowNoteOnDesktop);
  QAction* trash = popupNotes_->addAction(QStringLiteral("Send Note to Trash"));
  trash->setObjectName(QStringLiteral("SendNotetoTrash1"));
  connect(trash, &QAction::triggered, this, &NotesManagerWindow::onSendNoteToTrash);
  popupNotes_->addSeparator();
  QAction* exportNotes = popupNotes_->addAction(QStringLiteral("Export..."));
  exportNotes->setObjectName(QStringLiteral("ExportNotes1"));
  connect(exportNotes, &QAction::triggered, this,
          [this] { ExportNotes(*notesView_, notesGrid_->SelectedRecordNumbers()); });
  QAction* exportPage = popupNotes_->addAction(QStringLiteral("Export Page..."));
  exportPage->setObjectName(QStringLiteral("ExportPage1"));
  connect(exportPage, &QAction::triggered, this,
          [this] { ExportNotes(*notesView_, AllRecordsOf(*notesGrid_)); });
  QAction* importNotes = popupNotes_->addAction(QStringLiteral("Import Notes..."));
  importNotes->setObjectName(QStringLiteral("ImportNotes1"));
  connect(importNotes, &QAction::triggered, this, [this] {
    host_.onImportNotes(this);
    ReReadNotes();
  });
  connect(popupNotes_, &QMenu::aboutToShow, this, &NotesManagerWindow::UpdateNotesMenu);
  notesGrid_->SetPopupMenu(popupNotes_);

  popupTrash_ = new QMenu(this);
  popupTrash_->setObjectName(QStringLiteral("PopupTrash"));
  QAction* empty = popupTrash_->addAction(QStringLiteral("Empty Trash Bin"));
  empty->setObjectName(QStringLiteral("EmptyTrashBin1"));
  connect(empty, &QAction::triggered, this, &NotesManagerWindow::onEmptyTrashBin);
  popupTrash_->addSeparator();
  QAction* restore = popupTrash_->addAction(QStringLiteral("Restore Note"));
  restore->setObjectName(QStringLiteral("RestoreNote1"));
  connect(restore, &QAction::triggered, this, &NotesManagerWindow::onRestoreNote);
  popupTrash_->addSeparator();
  QAction* exportTrash = popupTrash_->addAction(QStringLiteral("Export..."));
  exportTrash->setObjectName(QStringLiteral("ExportTrash1"));
  connect(exportTrash, &QAction::triggered, this,
          [this] { ExportNotes(*trashView_, trashGrid_->SelectedRecordNumbers()); });
  trashGrid_->SetPopupMenu(popupTrash_);
}

void NotesManagerWindow::UpdateNotesMenu() {
  const bool onNote = GoToSelectedNote();
  for (QAction* item : popupNotes_->actions()) {
    // Export Page and Import Notes need no selected note.
    if (!item->isSeparator() && item->objectName() != QStringLiteral("ExportPage1") &&
        item->objectName() != QStringLiteral("ImportNotes1")) {
      item->setEnabled(onNote);
    }
  }
  showNoteOnDesktopItem_->setChecked(onNote && IsShowing(*notesView_));
}

bool NotesManagerWindow::GoToSelectedNote() {
  return GoToRecordOf(*notesGrid_, *notesView_);
}

bool NotesManagerWindow::GoToSelectedTrash() {
  return GoToRecordOf(*trashGrid_, *trashView_);
}

void NotesManagerWindow::onEditNoteProperties() {
  if (!GoToSelectedNote()) return;
  DbfTable& notes = *notesView_;
  const std::int32_t record = notes.RecNo();
  const bool wasHidden = !IsShowing(notes);
  if (wasHidden) host_.ShowNoteOfRecord(record);
  emit editNotePropertiesRequested(record);
  if (wasHidden) {
    // The window wrote its handle into the record when it opened.
    notes.Go(record);
    if (DbfTable::LastError() == 0) HideNoteWindow(notes);
  }
  QCoreApplication::processEvents();
  ReReadNotes();
}

void NotesManagerWindow::onShowNoteOnDesktop() {
  if (!GoToSelectedNote()) return;
  DbfTable& notes = *notesView_;
  const std::int32_t record = notes.RecNo();
  notesGrid_->setUpdatesEnabled(false);
  if (!IsShowing(notes)) {
    notes.SetFieldStr(QString::fromLatin1(note_field::kShowing), QStringLiteral("Y"));
    const bool written = notes.RLock();
    if (written) {
      notes.ReplaceRec();
    } else {
      notes.Cancel();
    }
    notes.UnLock();
    if (written) host_.ShowNoteOfRecord(record);
  } else {
    HideNoteWindow(notes);
    QCoreApplication::processEvents();
  }
  notesGrid_->setUpdatesEnabled(true);
  ReReadViews();
}

void NotesManagerWindow::onSendNoteToTrash() {
  if (!GoToSelectedNote()) return;
  DbfTable& notes = *notesView_;
  const std::int32_t record = notes.RecNo();
  if (IsShowing(notes)) {
    onShowNoteOnDesktop();
    // The window saved the note as it closed: copy what it wrote.
    notes.Go(record);
    if (DbfTable::LastError() != 0 || notes.RecNo() != record) return;
  }
  if (!host_.CopyNoteToTrashFrom(notes)) return;
  if (notes.RLock()) notes.DeleteRec();
  notes.UnLock();
  ReReadViews();
}

void NotesManagerWindow::onEmptyTrashBin() {
  if (!Confirmed(this,
                 QStringLiteral("Permanently delete all notes contained in the Trash Bin?"))) {
    return;
  }
  DbfTable& trash = *trashView_;
  int skipped = 0;
  {
    BusyScope busy(*this, *trashGrid_);
    // The records are taken first: a record whose lock is refused stays, and
    // the loop goes on with the next one instead of meeting it again.
    QList<std::int32_t> records;
    for (trash.GoTop(); !trash.Eof(); trash.Skip(1)) records.append(trash.RecNo());
    for (std::int32_t record : records) {
      trash.Go(record);
      if (DbfTable::LastError() != 0 || trash.Eof() || trash.RecNo() != record) continue;
      if (trash.RLock()) {
        trash.DeleteRec();
      } else {
        ++skipped;
      }
      trash.UnLock();
      QCoreApplication::processEvents();
    }
    trash.GoTop();
  }
  ReReadTrash();
  if (skipped > 0) {
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("%1 note(s) could not be deleted because another program "
                                        "is using them. They stay in the Trash Bin.")
                             .arg(skipped),
                         QMessageBox::Ok);
  }
}

void NotesManagerWindow::onRestoreNote() {
  if (!Confirmed(this, QStringLiteral("Restore this trashed note?"))) return;
  if (!GoToSelectedTrash()) return;
  DbfTable& notes = *notesView_;
  DbfTable& trash = *trashView_;
  CopyNoteRecord(trash, notes);
  if (notes.ALock()) {
    notes.SetFieldStr(QString::fromLatin1(note_field::kShowing), QStringLiteral("N"));
    notes.AppendRec();
    const bool appended = DbfTable::LastError() == 0;
    if (!appended) notes.Cancel();
    notes.UnLock();
    // A note that did not reach the notes table stays in the trash.
    if (appended) {
      if (trash.RLock()) trash.DeleteRec();
      trash.UnLock();
    }
  } else {
    notes.Cancel();
    notes.UnLock();
  }
  ReReadViews();
}

}  // namespace pw
