// The notes a sync works on, as the application keeps them: it reads and
// changes notes through the same paths a user's edit takes.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "sync/sync_note.h"

namespace pw {

class NoteStore {
 public:
  virtual ~NoteStore() = default;
  // Every live and trashed note, each with its key as uid (the store gives
  // a note without one a new key first).
  virtual std::vector<SyncNote> Notes() = 0;
  // Makes the note with this key or changes it, moving it into or out of
  // the trash as note.trashed says; returns the note as now stored, nothing
  // when it could not be written.
  virtual std::optional<SyncNote> Save(const SyncNote& note) = 0;
  // Purges the note for good.
  virtual bool Remove(const QString& key) = 0;
};

// The key kept in the note record (at most 40 characters of ASCII) for an
// iCalendar UID: the UID itself when it fits, a digest of it otherwise.
QString NoteKeyOfUid(const QString& uid);
QString NewNoteKey();

}  // namespace pw
