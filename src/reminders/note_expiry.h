// When a note has expired. Pure: the caller reads the record and the clock.
#pragma once

#include <QDateTime>
#include <QString>

namespace pw {

// EXPIRETYPE 2: the note expires every day at EXPIRETIME; any other value
// expires once, on EXPIREDATE at EXPIRETIME.
inline constexpr int kExpiresEveryDay = 2;

struct ExpiryFields {
  bool expires = false;  // EXPIRES is "Y"
  // EXPIREDATE as its "YYYYMMDD" sort text; a blank date's text sorts
  // before every real day, so such a note has expired.
  QString expireDate;
  int type = 1;
  QString expireTime;  // time text
};

// Expired when EXPIREDATE lies before today, or when it is today (or the
// note expires every day) and the time of day (seconds included) is at or
// after EXPIRETIME. The dates are compared as texts.
bool NoteIsExpired(const ExpiryFields& note, const QDateTime& now);

}  // namespace pw
