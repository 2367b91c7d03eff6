#include "reminders/note_expiry.h"

#include "reminders/time_text.h"

namespace pw {

bool NoteIsExpired(const ExpiryFields& note, const QDateTime& now) {
  if (!note.expires) return false;
  const QString today = now.date().toString(QStringLiteral("yyyyMMdd"));
  if (note.expireDate < today) return true;
  if (note.expireDate != today && note.type != kExpiresEveryDay) return false;
  return now.time().msecsSinceStartOfDay() / 1000 >= SecondsOfTimeText(note.expireTime);
}

}  // namespace pw
