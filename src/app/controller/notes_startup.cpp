// Start-up of the controller: the last session's end, opening (and when due
// packing) the three tables, and the notes that were open.
#include <QCoreApplication>
#include <QMessageBox>

#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "app/record/note_fields.h"
#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"
#include "dataset/index_files.h"
#include "settings/config_keys.h"
#include "settings/data_folder.h"

namespace pw {

namespace {

// Clean ends after which the next start packs the tables.
constexpr int kCleanEndsBetweenPacks = 25;

}  // namespace

void NotesController::CheckLastSession() {
  IniFile config(dataFolder_ + kConfigFileName);
  const bool crashed = !ReadSetting(config, config::kTerminatedOK);
  packRequest_ = ReadSetting(config, config::kLastPacked) > kCleanEndsBetweenPacks;
  WriteSetting(config, config::kTerminatedOK, false);
  if (!crashed) return;
  // The indexes may not match their tables after an unclean end, and their
  // semaphores may count the ended run: both are made anew when the tables
  // open.
  packRequest_ = true;
  for (const char* name : {"notes.dbf", "Trash.dbf", "defaults.dbf"}) {
    QString failure;
    if (!RemoveIndexFiles(DataFilePath(dataFolder_, QString::fromLatin1(name)), &failure)) {
      qWarning("Could not delete %s", qPrintable(failure));
    }
  }
}

void NotesController::onStartupTimeout() {
  startupTimer_->stop();
  if (!OpenNotesFiles()) {
    emit programEndRequested();
    return;
  }
  // Before any window exists: an expired note is not put on the desktop.
  ExpireNotes(ExpireMode::kStartup);
  DisplayOpenNotes();
  minuteTimer_->start();
  started_ = true;
  emit startupFinished();
}

bool NotesController::OpenNotesFiles() {
  const std::pair<DbfTable*, const char*> tables[] = {{notesTable_.get(), "notes.dbf"},
                                                      {trashTable_.get(), "Trash.dbf"},
                                                      {templatesTable_.get(), "defaults.dbf"}};
  bool allPacked = packRequest_;
  for (const auto& [table, name] : tables) {
    const QString path = DataFilePath(dataFolder_, QString::fromLatin1(name));
    try {
      table->SetDbfFileName(path);
      table->Open();
    } catch (const EngineError&) {
      QMessageBox::warning(nullptr, QCoreApplication::applicationName(), "Unable to open " + path,
                           QMessageBox::Ok);
      return false;
    }
    table->SetIndexTo(QString());
    if (table == templatesTable_.get()) table->GoTop();
    // A failed pack leaves the table whole and unpacked: it is used as it
    // is, and the count of clean ends is kept so a later start packs again.
    if (packRequest_ && !table->Pack()) {
      qWarning("Could not pack %s", qPrintable(path));
      allPacked = false;
    }
  }
  if (allPacked) {
    IniFile config(dataFolder_ + kConfigFileName);
    WriteSetting(config, config::kLastPacked, 0);
  }
  return true;
}

void NotesController::DisplayOpenNotes() {
  DbfTable& notes = *notesTable_;
  notes.SetOrderToTag(note_tag::kShowing);
  if (!notes.Find(QStringLiteral("Y"))) return;
  while (!notes.Eof()) {
    if (notes.GetFieldStr(note_field::kShowing) != "Y") break;
    if (!notes.Deleted()) ShowNoteWindow();
    notes.Skip(1);
    QCoreApplication::processEvents();
  }
}

NoteWindow* NotesController::ShowNoteWindow() {
  auto* window = new NoteWindow(*this);
  window->ShowFromRecord();
  return window;
}

}  // namespace pw
