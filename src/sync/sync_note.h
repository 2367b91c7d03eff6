// A note as the sync layer sees it: what travels between machines (caption,
// text, colour, board, trash state, reminder), not where its window sits.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>

namespace pw {

struct SyncReminder {
  bool active = false;
  int kind = 0;  // ALARMTYPE: reminders/reminder_due.h ReminderKind
  QDate date;    // the anchor day
  QTime time;    // hour and minute

  bool operator==(const SyncReminder&) const = default;
};

struct SyncNote {
  QString uid;                    // the iCalendar UID
  QString caption;                // DESC, trimmed
  QByteArray rtf;                 // the memo exactly as stored
  std::int32_t color = 0x99FFFF;  // Windows colour value 0x00BBGGRR
  QString board = "1";            // NOTEBOARD, "1" .. "10"
  bool trashed = false;
  SyncReminder reminder;
};

// A digest of everything that travels except the UID: two notes with one
// digest need no sync between them.
QByteArray ContentDigest(const SyncNote& note);

}  // namespace pw
