#include "sync/sync_note.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>

namespace pw {

QByteArray ContentDigest(const SyncNote& note) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << note.caption << note.rtf << note.color << note.board << note.trashed
      << note.reminder.active << note.reminder.kind << note.reminder.date << note.reminder.time;
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

}  // namespace pw
