// The frame both minute passes run in: the notes table switched to the
// pass's flag tag, every record whose flag holds "Y" visited once, and the
// previous tag put back however the pass ends. The record position is not
// restored.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"

namespace pw {

// Reports why a pass ended early on standard error.
void ReportPassError(const char* pass, const QString& reason);
// Puts `tag` back on `notes` (an empty name is the natural order).
void RestorePassTag(DbfTable& notes, const QString& tag);

// Runs `visit` on each record of `notes` with "Y" in `flagField`, in the
// order of `tag`. `visit` returns true when it has already made the next
// record current (a deletion moves the table on), so that no record is
// skipped; otherwise the pass steps on. Pending events run after each record.
// An error of the table layer ends the pass quietly.
template <class Visit>
void WalkFlaggedNotes(DbfTable& notes, const char* pass, const char* tag, const char* flagField,
                      Visit visit) {
  if (!notes.Active()) return;
  const QString savedTag = notes.CurrentTag();
  try {
    if (!notes.SetOrderToTag(QString::fromLatin1(tag)) || !notes.Find(QStringLiteral("Y"))) {
      RestorePassTag(notes, savedTag);
      return;
    }
    // Events may close the table (shutdown) between two records.
    while (notes.Active() && !notes.Eof() && notes.LastError() == 0 &&
           notes.GetFieldStr(QString::fromLatin1(flagField)) == QLatin1String("Y")) {
      if (!visit()) notes.Skip(1);
      QCoreApplication::processEvents();
    }
    if (notes.LastError() != 0) ReportPassError(pass, DatasetErrorText(DbfTable::LastError()));
  } catch (const EngineError& error) {
    ReportPassError(pass, QString::fromStdString(error.what()));
  }
  RestorePassTag(notes, savedTag);
}

}  // namespace pw
