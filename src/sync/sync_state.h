// What the last sync left: for each note (by its key, the UID kept in the
// note record) the object's href and ETag on the server and the digest of
// the note as it was synced, plus the collection's sync token and ctag.
//
// File "Sync.tsv" in the data folder, UTF-8, one record a line, fields
// separated by tabs and percent-encoded:
//   C <collection url> <sync token> <ctag>
//   N <key> <href> <etag> <digest> <iCalendar UID when it is not the key>
//   I <href> <etag>        an object that holds no note (an event)
// Written whole to a temporary file and renamed over the old one.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

namespace pw {

struct SyncedNote {
  QString href;  // the path on the server
  QString etag;
  QByteArray digest;  // ContentDigest of the note when it was last synced
  QString icalUid;    // set when the object's UID is longer than a key
};

class SyncState {
 public:
  static constexpr char kFileName[] = "Sync.tsv";

  // A missing file is an empty state; a damaged one is an error.
  bool Load(const QString& path, QString* error);
  bool Save(const QString& path, QString* error) const;

  // A state made for another collection starts over.
  void UseCollection(const QString& url);

  QString collection;
  QString syncToken;
  QString ctag;
  std::map<QString, SyncedNote> notes;  // by key
  std::map<QString, QString> ignored;   // href -> etag
};

}  // namespace pw
