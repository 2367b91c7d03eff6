#include "import/note_import.h"

#include <QDir>
#include <algorithm>

#include "import/import_ledger.h"

namespace pw {

std::vector<const ImportedNote*> NewNotesOf(const ImportBatch& batch, const ImportLedger& ledger) {
  std::vector<const ImportedNote*> fresh;
  for (const ImportedNote& note : batch.notes) {
    const bool seen = ledger.Contains(batch.sourceKind, note.sourceId) ||
                      std::any_of(fresh.begin(), fresh.end(), [&note](const ImportedNote* other) {
                        return other->sourceId == note.sourceId;
                      });
    if (!seen) fresh.push_back(&note);
  }
  return fresh;
}

ImportOutcome WriteImport(const ImportBatch& batch, ImportLedger& ledger, ImportedNoteSink& sink) {
  ImportOutcome outcome;
  const auto takeBack = [&outcome, &sink] {
    for (auto record = outcome.records.rbegin(); record != outcome.records.rend(); ++record) {
      sink.RemoveImportedNote(*record);
    }
    outcome.records.clear();
  };
  ImportLedger updated = ledger;
  for (const ImportedNote* note : NewNotesOf(batch, ledger)) {
    const std::int32_t record = sink.AddImportedNote(*note);
    if (record <= 0) {
      takeBack();
      outcome.error = QStringLiteral(
          "A note could not be added to the notes table (it may be "
          "locked by another program); nothing was imported.");
      return outcome;
    }
    outcome.records.push_back(record);
    updated.Add(batch.sourceKind, note->sourceId);
  }
  if (!outcome.records.empty()) {
    if (QString error; !updated.Save(&error)) {
      takeBack();
      outcome.error = error + QStringLiteral("; nothing was imported.");
      return outcome;
    }
  }
  ledger = updated;
  outcome.ok = true;
  return outcome;
}

QRect PlaceImportedNote(const ImportedNote& note, QSize fallbackSize, const QRect& area) {
  QSize size = note.size.isValid() && !note.size.isEmpty() ? note.size : fallbackSize;
  size = size.boundedTo(area.size());
  QRect window(QPoint(), size);
  if (note.place) {
    window.moveTopLeft(*note.place);
  } else {
    window.moveCenter(area.center());
  }
  window.moveLeft(std::clamp(window.left(), area.left(), area.right() - window.width() + 1));
  window.moveTop(std::clamp(window.top(), area.top(), area.bottom() - window.height() + 1));
  return window;
}

}  // namespace pw

namespace pw {

QString DescribeImport(const ImportBatch& batch, const QString& path, std::size_t newNotes) {
  QString text = QStringLiteral("%1 at %2: %3 notes found, %4 of them new.")
                     .arg(batch.sourceKind, QDir::toNativeSeparators(path))
                     .arg(batch.notes.size())
                     .arg(newNotes);
  if (newNotes > 0 && !batch.notCarried.isEmpty()) {
    text += QStringLiteral("\nNot carried over:");
    for (const QString& line : batch.notCarried) text += QStringLiteral("\n  - ") + line;
  }
  return text;
}

}  // namespace pw
