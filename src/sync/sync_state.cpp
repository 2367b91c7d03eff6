#include "sync/sync_state.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>

namespace pw {
namespace {

QByteArray Field(const QString& text) {
  return QUrl::toPercentEncoding(text);
}
QString Unfield(const QByteArray& field) {
  return QUrl::fromPercentEncoding(field);
}

}  // namespace

bool SyncState::Load(const QString& path, QString* error) {
  *this = SyncState{};
  QFile file(path);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    return false;
  }
  int lineNumber = 0;
  while (!file.atEnd()) {
    ++lineNumber;
    QByteArray line = file.readLine();
    if (line.endsWith('\n')) line.chop(1);
    const QList<QByteArray> fields = line.split('\t');
    if (fields[0] == "C" && fields.size() == 4) {
      collection = Unfield(fields[1]);
      syncToken = Unfield(fields[2]);
      ctag = Unfield(fields[3]);
    } else if (fields[0] == "N" && fields.size() == 6) {
      notes[Unfield(fields[1])] = {Unfield(fields[2]), Unfield(fields[3]), fields[4],
                                   Unfield(fields[5])};
    } else if (fields[0] == "I" && fields.size() == 3) {
      ignored[Unfield(fields[1])] = Unfield(fields[2]);
    } else {
      *this = SyncState{};
      *error = QStringLiteral("%1 is damaged at line %2").arg(path).arg(lineNumber);
      return false;
    }
  }
  return true;
}

bool SyncState::Save(const QString& path, QString* error) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
  }
  QByteArray text = "C\t" + Field(collection) + '\t' + Field(syncToken) + '\t' + Field(ctag) + '\n';
  for (const auto& [key, note] : notes)
    text += "N\t" + Field(key) + '\t' + Field(note.href) + '\t' + Field(note.etag) + '\t' +
            note.digest + '\t' + Field(note.icalUid) + '\n';
  for (const auto& [href, etag] : ignored) text += "I\t" + Field(href) + '\t' + Field(etag) + '\n';
  if (file.write(text) != text.size() || !file.commit()) {
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

void SyncState::UseCollection(const QString& url) {
  if (collection == url) return;
  *this = SyncState{};
  collection = url;
}

}  // namespace pw
