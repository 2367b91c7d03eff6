#include <QCryptographicHash>
#include <QUuid>

#include "sync/note_store.h"

namespace pw {

QString NoteKeyOfUid(const QString& uid) {
  constexpr int kKeyWidth = 40;  // the CHAR1 field
  bool plain = uid.size() <= kKeyWidth;
  for (const QChar c : uid) plain = plain && c.unicode() > 0x20 && c.unicode() < 0x7F;
  if (plain) return uid;
  return "h-" + QCryptographicHash::hash(uid.toUtf8(), QCryptographicHash::Md5).toHex();
}

QString NewNoteKey() {
  return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

}  // namespace pw
