// The notes and trash tables as the sync sees them. Every change goes the
// way a user's edit goes: an open note window is saved and closed first and
// opened again afterwards, trashing and restoring copy the record between
// the tables under their locks, and a note from the server is appended
// from its template board and shown like a new note. The note's key is
// kept in the record's spare field CHAR1.
#pragma once

#include <cstdint>

#include "sync/note_store.h"

namespace pw {

class NotesController;
class DbfTable;

class TableNoteStore : public NoteStore {
 public:
  explicit TableNoteStore(NotesController& controller);

  std::vector<SyncNote> Notes() override;
  std::optional<SyncNote> Save(const SyncNote& note) override;
  bool Remove(const QString& key) override;

 private:
  struct Place {
    DbfTable* table = nullptr;
    std::int32_t record = 0;
  };
  std::optional<Place> Find(const QString& key);
  // Appends a copy of the current record of `from` to `to`; the record
  // number in `to`, 0 when it could not be appended.
  std::int32_t Append(DbfTable& from, DbfTable& to);
  bool Delete(const Place& place);
  std::optional<SyncNote> ReadAt(const Place& place);

  NotesController& controller_;
};

}  // namespace pw
