// One reader per notes program, each over that program's own files. None of
// them writes to the source; each refuses a damaged source whole.
#pragma once

#include <QString>

#include "import/imported_note.h"

namespace pw {

// A .txt, .md or .rtf file, or a folder of them: one note each, the file's
// base name as the caption.
ImportRead ReadPlainFiles(const QString& path);
// xpad's folder: each info-* file names its content-* file.
ImportRead ReadXpadFolder(const QString& folder);
// KNotes' notes.ics: one VJOURNAL per note.
ImportRead ReadKNotesCalendar(const QString& path);
// KNotes' maildir: one message per note, in cur/ and new/.
ImportRead ReadKNotesMaildir(const QString& folder);
// Linux Mint's Sticky notes.json: {"group": [note, ...], ...}.
ImportRead ReadMintSticky(const QString& path);
// GNOME's Sticky Notes notes.json: {"v": 1, "notes": [note, ...]}, or one
// note's own file.
ImportRead ReadGnomeSticky(const QString& path);
// Windows Sticky Notes' plum.sqlite: the Note table.
ImportRead ReadWindowsSticky(const QString& path);
// A notes.dbf of this program's record layout (or any dBASE table with a
// DESC and a MEMO field).
ImportRead ReadNotesTable(const QString& path);

}  // namespace pw
