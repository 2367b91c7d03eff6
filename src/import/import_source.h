// The notes programs an import reads, each from its own files, and how a
// path names one: a file or folder of that program's, or any note file
// inside a folder source.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include "import/imported_note.h"

namespace pw {

enum class ImportSource {
  kUnknown,
  kPlainFiles,      // a folder of .txt, .md and .rtf files
  kXpad,            // xpad's folder of info-* and content-* files
  kKNotesCalendar,  // KNotes' notes.ics
  kKNotesMaildir,   // KNotes' maildir folder (cur/, new/)
  kMintSticky,      // Linux Mint's Sticky notes.json
  kGnomeSticky,     // GNOME's Sticky Notes notes.json
  kWindowsSticky,   // Windows Sticky Notes' plum.sqlite
  kNotesTable,      // a notes.dbf of Paperwisp or another dBASE notes program
};

struct DetectedSource {
  ImportSource kind = ImportSource::kUnknown;
  QString path;  // the file or folder the reader opens
};

// The source `path` names; kUnknown when it names none. A file inside a
// folder source (an xpad info file, a .txt, a maildir message) names its
// folder.
DetectedSource DetectImportSource(const QString& path);

// Reads every note of the source without writing anything.
ImportRead ReadImportSource(const DetectedSource& source);

}  // namespace pw
