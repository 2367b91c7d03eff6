#include "import/source_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace pw {

bool ReadSourceFile(const QString& path, QByteArray* bytes, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("%1: cannot be read (%2)")
                 .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
  }
  // One byte more than the limit tells an oversized file from one of the
  // limit's size, also for files whose size() says nothing (pipes).
  *bytes = file.read(kMaxSourceFileBytes + 1);
  if (bytes->size() > kMaxSourceFileBytes) {
    *error = QStringLiteral("%1: is larger than %2 MiB, which no notes file is")
                 .arg(QDir::toNativeSeparators(path))
                 .arg(kMaxSourceFileBytes / (1024 * 1024));
    return false;
  }
  if (file.error() != QFileDevice::NoError) {
    *error = QStringLiteral("%1: cannot be read (%2)")
                 .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
  }
  return true;
}

ImportRead Refused(const QString& path, const QString& why) {
  ImportRead read;
  read.error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
  return read;
}

ImportRead TooManyNotes(const QString& path) {
  return Refused(path, QStringLiteral("holds more than %1 notes").arg(kMaxImportedNotes));
}

ImportRead Accepted(const QString& path, ImportBatch batch) {
  if (batch.notes.size() > kMaxImportedNotes) return TooManyNotes(path);
  ImportRead read;
  read.ok = true;
  read.batch = std::move(batch);
  return read;
}

QString DigestId(const QStringList& parts) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (const QString& part : parts) {
    hash.addData(part.toUtf8());
    hash.addData(QByteArrayView("\0", 1));
  }
  return QString::fromLatin1(hash.result().toHex());
}

void NoteUnknownFormats(const QSet<QString>& formats, ImportBatch* batch) {
  if (formats.isEmpty()) return;
  QStringList names(formats.begin(), formats.end());
  names.sort();
  batch->notCarried << QStringLiteral("Formats a note has no place for: %1.")
                           .arg(names.join(QStringLiteral(", ")));
}

}  // namespace pw
