// Export of notes as Markdown files, one file per note: the caption as the
// heading, the reminder and the expiry as one short line below it, then the
// rich text as Markdown. File names come from the captions, made safe for
// every file system and unique in the target folder.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <optional>

namespace pw {

struct ExportedNote {
  QString caption;
  std::optional<QDateTime> reminder;
  std::optional<QDateTime> expiry;
  QByteArray storedText;  // the note's rich text as stored in the memo
};

// The Markdown of `note`.
QString NoteMarkdown(const ExportedNote& note);

// `caption` without characters that are unsafe in a file name (path
// separators, characters other systems refuse, control characters), without
// leading dots and trailing dots or blanks, at most 80 characters; "Note"
// when nothing is left.
QString SafeFileBaseName(const QString& caption);

// The names in `folder`, lower case: the names an export must not take.
QSet<QString> NamesInFolder(const QString& folder);
// "<base>.md", or "<base> (2).md", "<base> (3).md", ... : the first name not
// in `taken` (lower case), compared without regard to case; it is added.
QString UniqueMarkdownName(const QString& base, QSet<QString>& taken);

// Writes `markdown` as UTF-8 to `path` completely or not at all; false with
// `*error` set when that fails.
bool WriteMarkdownFile(const QString& path, const QString& markdown, QString* error);

}  // namespace pw
