#include "app/maintain/note_export.h"

#include <QDir>
#include <QSaveFile>
#include <QStringList>
#include <QTextDocument>

#include "richtext/rtf_reader.h"

namespace pw {

namespace {

constexpr int kMaxBaseLength = 80;

QString DateTimeText(const QDateTime& moment) {
  return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

bool UnsafeInFileName(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c);
}

}  // namespace

QString NoteMarkdown(const ExportedNote& note) {
  QString markdown = QStringLiteral("# ") + note.caption.simplified() + QStringLiteral("\n\n");
  QStringList front;
  if (note.reminder) front << QStringLiteral("Reminder: ") + DateTimeText(*note.reminder);
  if (note.expiry) front << QStringLiteral("Expires: ") + DateTimeText(*note.expiry);
  if (!front.isEmpty()) markdown += QLatin1Char('*') + front.join(QStringLiteral(" - ")) + "*\n\n";
  if (!note.storedText.isEmpty()) {
    QTextDocument document;
    ReadRtf(note.storedText, &document);
    markdown += document.toMarkdown();
  }
  return markdown;
}

QString SafeFileBaseName(const QString& caption) {
  QString name;
  for (QChar c : caption) name += UnsafeInFileName(c) ? QChar('_') : c;
  name = name.simplified();
  while (name.startsWith('.')) name.remove(0, 1);
  name = name.left(kMaxBaseLength);
  while (name.endsWith('.') || name.endsWith(' ')) name.chop(1);
  name = name.trimmed();
  return name.isEmpty() ? QStringLiteral("Note") : name;
}

QSet<QString> NamesInFolder(const QString& folder) {
  QSet<QString> names;
  const QDir::Filters all = QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System;
  for (const QString& entry : QDir(folder).entryList(all)) names.insert(entry.toLower());
  return names;
}

QString UniqueMarkdownName(const QString& base, QSet<QString>& taken) {
  for (int copy = 1;; ++copy) {
    const QString name =
        copy == 1 ? base + QStringLiteral(".md") : QStringLiteral("%1 (%2).md").arg(base).arg(copy);
    const QString key = name.toLower();
    if (taken.contains(key)) continue;
    taken.insert(key);
    return name;
  }
}

bool WriteMarkdownFile(const QString& path, const QString& markdown, QString* error) {
  QSaveFile file(path);
  const QByteArray bytes = markdown.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    if (error != nullptr) *error = QDir::toNativeSeparators(path) + ": " + file.errorString();
    return false;
  }
  return true;
}

}  // namespace pw
