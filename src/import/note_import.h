// Writing an import: the notes of a batch that the ledger does not know yet
// go to a sink (the controller, which adds them as a new note is added), all
// or none: when one cannot be written, or the ledger cannot be saved, the
// notes this import added are taken back.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

#include "import/imported_note.h"

namespace pw {

class ImportLedger;

class ImportedNoteSink {
 public:
  virtual ~ImportedNoteSink() = default;
  // Adds `note` to the notes table; its record number, or 0 when it could
  // not be added.
  virtual std::int32_t AddImportedNote(const ImportedNote& note) = 0;
  // Takes back a note this import added.
  virtual void RemoveImportedNote(std::int32_t recordNumber) = 0;

 protected:
  ImportedNoteSink() = default;
  ImportedNoteSink(const ImportedNoteSink&) = default;
  ImportedNoteSink& operator=(const ImportedNoteSink&) = default;
};

// The notes of `batch` that `ledger` has not seen.
std::vector<const ImportedNote*> NewNotesOf(const ImportBatch& batch, const ImportLedger& ledger);

struct ImportOutcome {
  bool ok = false;
  QString error;
  std::vector<std::int32_t> records;  // the notes added
};

// Adds the new notes of `batch` and records them in `ledger` (saved).
ImportOutcome WriteImport(const ImportBatch& batch, ImportLedger& ledger, ImportedNoteSink& sink);

// The window an imported note gets: its own size (or `fallbackSize`) no
// larger than `area`, at its own place (or in the middle of `area`) moved
// just far enough to lie wholly inside `area`.
QRect PlaceImportedNote(const ImportedNote& note, QSize fallbackSize, const QRect& area);

}  // namespace pw

namespace pw {

// What the preview and the summary say of one source: "<kind> at <path>:
// N notes found, M of them new." and, indented, what will not carry.
QString DescribeImport(const ImportBatch& batch, const QString& path, std::size_t newNotes);

}  // namespace pw
