// Taking the notes off the desktop: "Hide All Notes", and the shutdown with
// its optional backup of the notes table and emptying of the trash.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "app/controller/notes_main.h"
#include "app/note/note_window_registry.h"
#include "app/record/note_fields.h"
#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"
#include "desktop/event_pause.h"
#include "dialogs/status_window.h"
#include "settings/config_keys.h"
#include "settings/data_folder.h"

namespace pw {

namespace {

constexpr int kBackupStepPauseMs = 40;
constexpr int kBeforePackPauseMs = 100;
constexpr char kBackupFolder[] = "Backup";
constexpr const char* kNotesFiles[] = {"Notes.dbf", "Notes.dbt", "Notes.mdx"};

}  // namespace

void NotesController::onHideAllNotes() {
  SendToOpenNotes(kHideNoteRequest);
}

void NotesController::SendToOpenNotes(int message) {
  DbfTable& notes = *notesTable_;
  if (!notes.Active()) return;
  try {
    // The records there when the walk begins: another program that keeps
    // appending notes cannot keep the walk from its end.
    const std::int32_t lastAtStart = notes.RecordCount();
    const bool naturalOrder = notes.CurrentTag().isEmpty();
    notes.GoTop();
    while (!notes.Eof() && notes.LastError() == 0) {
      if (notes.RecNo() > lastAtStart) {
        if (naturalOrder) break;
      } else if (notes.GetFieldStr(note_field::kShowing) == "Y") {
        const std::int32_t recordNumber = notes.RecNo();
        SendNoteRequest(notes.GetFieldInt(note_field::kHandle), message);
        QCoreApplication::processEvents();
        // The window's save moved the table.
        notes.Go(recordNumber);
      }
      notes.Skip(1);
    }
  } catch (const EngineError&) {
    // A failed step ends the pass; the remaining windows stay as they are.
  }
}

void NotesController::FormCloseQuery() {
  if (shutDown_) return;
  shutDown_ = true;
  startupTimer_->stop();
  minuteTimer_->stop();
  SendToOpenNotes(kSaveAndCloseNoteRequest);
  QCoreApplication::processEvents();

  IniFile config(dataFolder_ + kConfigFileName);
  WriteSetting(config, config::kTerminatedOK, true);
  WriteSetting(config, config::kLastPacked, ReadSetting(config, config::kLastPacked) + 1);

  notesTable_->Close();
  templatesTable_->Close();
  if (settings_.backupFiles) BackupNotes();
  if (settings_.emptyTrash) EmptyTrash();
  trashTable_->Close();
  QCoreApplication::processEvents();
  emit programEndRequested();
}

void NotesController::BackupNotes() {
  const QString backup = dataFolder_ + kBackupFolder;
  if (!QDir().mkpath(backup)) return;
  StatusWindow status(QStringLiteral("Back Up"), QStringLiteral("Backing up notes file"), 6);
  status.show();
  QCoreApplication::processEvents();
  const auto step = [&status] {
    status.StepIt();
    QCoreApplication::processEvents();
    PauseProcessingEvents(kBackupStepPauseMs);
  };
  for (const char* name : kNotesFiles) {
    const QString target = DataFilePath(backup, QString::fromLatin1(name));
    if (QFile::exists(target) && !QFile::remove(target)) return;
    step();
  }
  // Each copy replaces the previous backup of that file; a failed copy
  // leaves that file out and goes on.
  for (const char* name : kNotesFiles) {
    QFile::copy(DataFilePath(dataFolder_, QString::fromLatin1(name)),
                QDir(backup).filePath(QString::fromLatin1(name)));
    step();
  }
}

void NotesController::EmptyTrash() {
  DbfTable& trash = *trashTable_;
  if (!trash.Active()) return;
  const std::int32_t records = trash.RecordCount();
  if (records <= 0) return;
  StatusWindow status(QStringLiteral("Compacting"), QStringLiteral("Compacting Trash Bin"),
                      records);
  status.show();
  trash.GoTop();
  for (;;) {
    QCoreApplication::processEvents();
    if (trash.Eof()) break;
    const std::int32_t current = trash.RecNo();
    trash.Delete();
    status.StepIt();
    trash.GoTop();
    // A record the lock loop could not delete would come round for ever.
    if (!trash.Eof() && trash.RecNo() == current) break;
  }
  PauseProcessingEvents(kBeforePackPauseMs);
  trash.Pack();
}

}  // namespace pw
