// One two-way sync of the notes with one CalDAV collection.
//
// The server's changes are listed (REPORT sync-collection with the last
// sync token, RFC 6578; where that is not offered, the collection's ctag and
// every member's ETag), fetched (calendar-multiget) and read in full before
// any note changes, so a refused or malformed answer changes nothing. Then:
//   changed there, not here     -> the note takes the server's version
//   changed on both sides       -> the note takes the server's version and
//                                  this machine's version becomes a new
//                                  note, a conflict copy, so both texts live
//   removed there               -> purged here, unless changed here since
//   new or changed here         -> PUT with If-None-Match: * or If-Match
//   purged here                 -> DELETE with If-Match
// A write the server refuses with 412 waits for the next sync, which sees
// the other side's change first. The state is saved after every sync, also
// one that failed half way, so what went through is not sent again.
#pragma once

#include <QString>
#include <QUrl>

#include "sync/dav_client.h"
#include "sync/note_store.h"

namespace pw {

struct SyncResult {
  bool ok = false;
  QString message;  // one line for the status text
  int received = 0;
  int sent = 0;
  int conflicts = 0;
  int unreadable = 0;  // objects the server holds that are no iCalendar
};

inline constexpr char kConflictCopyPrefix[] = "Conflict copy: ";

class SyncEngine {
 public:
  SyncEngine(DavClient& client, NoteStore& store, QString statePath);
  SyncResult Run(const QUrl& collection);

 private:
  class Pass;
  DavClient& client_;
  NoteStore& store_;
  QString statePath_;
};

}  // namespace pw
