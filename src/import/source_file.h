// Reading another program's files for an import: every file is read whole,
// up to a size no notes file reaches, so that a huge or endless file is
// refused instead of filling the memory; and a source holds at most so many
// notes.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

#include "import/imported_note.h"

namespace pw {

inline constexpr qint64 kMaxSourceFileBytes = 16 * 1024 * 1024;
inline constexpr std::size_t kMaxImportedNotes = 10000;

// False with `error` set when the file cannot be read or is too large.
bool ReadSourceFile(const QString& path, QByteArray* bytes, QString* error);

// A refused source: "<file>: <why>".
ImportRead Refused(const QString& path, const QString& why);

// The refusal of a source with more notes than an import takes.
ImportRead TooManyNotes(const QString& path);

// `batch`, or a refusal when it holds more notes than an import takes.
ImportRead Accepted(const QString& path, ImportBatch batch);

// Lists in `batch`'s summary the text formats of the source that no note
// can hold, when there are any.
void NoteUnknownFormats(const QSet<QString>& formats, ImportBatch* batch);

// A stable id for a note its source does not number: a digest of its parts.
QString DigestId(const QStringList& parts);

}  // namespace pw
