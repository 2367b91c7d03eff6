// Importing notes from other programs: every source is read first, a
// refused one stops the import before anything is written; then the new
// notes of each source are added as a new note is (template 1's record,
// with the imported text, colour, place and flags), the open ones get their
// windows, and the ledger keeps them from coming twice.
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <vector>

#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "app/record/note_caption.h"
#include "app/record/note_fields.h"
#include "app/record/note_record.h"
#include "common/date_text.h"
#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"
#include "dataset/memo_stream.h"
#include "import/import_ledger.h"
#include "import/import_source.h"
#include "import/note_import.h"

namespace pw {

namespace {

struct SourceRead {
  DetectedSource source;
  ImportBatch batch;
};

QString Yes(bool flag) {
  return flag ? QStringLiteral("Y") : QStringLiteral("N");
}

}  // namespace

QRect NotesController::ImportArea() const {
  if (screenSize_.isValid()) return QRect(QPoint(0, 0), screenSize_);
  return QGuiApplication::primaryScreen()->availableGeometry();
}

std::int32_t NotesController::AddImportedNote(const ImportedNote& note) {
  DbfTable& notes = *notesTable_;
  DbfTable& defaults = *templatesTable_;
  if (!notes.Active() || !defaults.Active()) return 0;
  try {
    defaults.Go(1);
    const bool templateFound =
        defaults.LastError() == 0 && !defaults.Eof() && defaults.RecNo() == 1;
    CopyNoteRecord(defaults, notes);
    QSize size(notes.GetFieldInt(note_field::kWidth), notes.GetFieldInt(note_field::kHeight));
    if (!templateFound) size = NoteWindow::kDesignSize;
    const QRect window = PlaceImportedNote(note, size, ImportArea());
    const QDate created = note.created.isValid() ? note.created : QDate::currentDate();
    notes.SetFieldStr(note_field::kDesc, note.caption);
    notes.SetFieldInt(note_field::kColor, note.color);
    notes.SetFieldInt(note_field::kLeft, window.left());
    notes.SetFieldInt(note_field::kTop, window.top());
    notes.SetFieldInt(note_field::kWidth, window.width());
    notes.SetFieldInt(note_field::kHeight, window.height());
    notes.SetFieldStr(note_field::kShowing, Yes(note.showing));
    notes.SetFieldStr(note_field::kStayOnTop, Yes(note.stayOnTop));
    notes.SetFieldStr(note_field::kMinimized, Yes(false));
    notes.SetFieldStr(note_field::kAlarmAct, Yes(false));
    notes.SetFieldStr(note_field::kExpires, Yes(false));
    // The window made for the note writes its own handle.
    notes.SetFieldInt(note_field::kHandle, 0);
    notes.SetFieldStr(note_field::kNoteBoard,
                      note.board.isEmpty() ? QStringLiteral("1") : note.board);
    notes.SetFieldDate(
        note_field::kDateCreate,
        QString::fromLatin1(DateFrom(created.year(), created.month(), created.day())));
    // DESC keeps what the code page spells; the memo keeps the caption.
    const QByteArray rtf = RichTextKeepingCaption(note.rtf, note.caption);
    std::unique_ptr<MemoStream> memo =
        notes.CreateBlobStreamByName(note_field::kMemo, MemoStream::kWrite);
    if (!memo || !memo->isOpen() || memo->write(rtf) != rtf.size() || !memo->Finish()) {
      notes.Cancel();
      return 0;
    }
    return AppendUnderLock(notes) ? notes.RecNo() : 0;
  } catch (const EngineError&) {
    notes.Cancel();
    return 0;
  }
}

void NotesController::RemoveImportedNote(std::int32_t recordNumber) {
  DbfTable& notes = *notesTable_;
  try {
    notes.Go(recordNumber);
    if (notes.LastError() == 0 && notes.RecNo() == recordNumber && notes.RLock()) notes.DeleteRec();
    notes.UnLock();
  } catch (const EngineError&) {
    notes.UnLock();
  }
}

ImportSummary NotesController::ImportNotes(const QStringList& paths,
                                           const ImportConfirmation& confirm) {
  std::vector<SourceRead> reads;
  for (const QString& path : paths) {
    const DetectedSource source = DetectImportSource(path);
    ImportRead read = ReadImportSource(source);
    if (!read.ok) return {false, read.error + QStringLiteral("\nNothing was imported.")};
    reads.push_back({source, std::move(read.batch)});
  }
  ImportLedger ledger(dataFolder_);
  if (QString error; !ledger.Load(&error)) return {false, error};
  QStringList preview;
  for (const SourceRead& read : reads) {
    preview << DescribeImport(read.batch, read.source.path, NewNotesOf(read.batch, ledger).size());
  }
  if (confirm && !confirm(preview.join(QStringLiteral("\n\n")))) return {true, QString()};

  std::size_t added = 0;
  std::vector<std::int32_t> shown;
  for (const SourceRead& read : reads) {
    const ImportOutcome outcome = WriteImport(read.batch, ledger, *this);
    if (!outcome.ok) {
      return {false, QStringLiteral("%1 notes imported; %2").arg(added).arg(outcome.error)};
    }
    added += outcome.records.size();
    for (const std::int32_t record : outcome.records) shown.push_back(record);
  }
  for (const std::int32_t record : shown) {
    notesTable_->Go(record);
    if (notesTable_->GetFieldStr(note_field::kShowing) == QLatin1String("Y"))
      ShowNoteOfRecord(record);
  }
  return {true, QStringLiteral("%1 notes imported.").arg(added)};
}

void NotesController::onImportNotes(QWidget* owner) {
  const QStringList paths = ChooseImportPaths(owner);
  if (paths.isEmpty()) return;
  const ImportSummary summary = ImportNotes(paths, [owner](const QString& preview) {
    return QMessageBox::question(owner, QStringLiteral("Import Notes"),
                                 preview + QStringLiteral("\n\nImport the new notes?"),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  });
  if (summary.text.isEmpty()) return;
  if (summary.ok) {
    QMessageBox::information(owner, QStringLiteral("Import Notes"), summary.text);
  } else {
    QMessageBox::warning(owner, QStringLiteral("Import Notes"), summary.text);
  }
}

QStringList NotesController::DefaultImportChooser(QWidget* owner) {
  return QFileDialog::getOpenFileNames(
      owner, QStringLiteral("Import Notes"), QDir::homePath(),
      QStringLiteral("Notes files (*.ics *.json *.sqlite *.dbf *.txt *.md *.rtf info-* content-*);;"
                     "All files (*)"));
}

}  // namespace pw
