// What an import brings over, before anything is written: the notes read
// from another program's files as plain values, and what of them a note
// cannot hold.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace pw {

struct ImportedNote {
  QString sourceId;  // unique within its source kind; the import ledger keys on it
  QString caption;
  QByteArray rtf;                 // the note's text as the note memo holds it
  std::int32_t color = 0x99FFFF;  // Windows colour value; the note window's light yellow
  std::optional<QPoint> place;    // none: the middle of the screen
  QSize size;                     // invalid: template 1's
  bool showing = true;
  bool stayOnTop = false;
  QString board;  // empty: the board of template 1
  QDate created;  // invalid: today
};

struct ImportBatch {
  QString sourceKind;  // "xpad", "KNotes", ...: shown, and the ledger's key with the ids
  std::vector<ImportedNote> notes;
  QStringList notCarried;  // one line per thing left behind, for the summary
};

// The result of reading a source: a batch, or why the source was refused.
struct ImportRead {
  bool ok = false;
  QString error;
  ImportBatch batch;
};

}  // namespace pw
