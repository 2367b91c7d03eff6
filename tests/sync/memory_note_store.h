// One machine's notes for the sync tests, kept in memory.
#pragma once

#include <map>

#include "sync/note_store.h"

namespace pw::test {

class MemoryNoteStore : public NoteStore {
 public:
  std::vector<SyncNote> Notes() override {
    std::vector<SyncNote> all;
    for (const auto& [key, note] : notes) all.push_back(note);
    return all;
  }
  std::optional<SyncNote> Save(const SyncNote& note) override {
    ++writes;
    return notes[note.uid] = note;
  }
  bool Remove(const QString& key) override {
    ++writes;
    return notes.erase(key) == 1;
  }

  SyncNote& Add(const QString& caption, const QString& text);
  // The one note whose caption starts so; fails the test when there is
  // not exactly one.
  const SyncNote* Find(const QString& captionStart) const;

  std::map<QString, SyncNote> notes;
  int writes = 0;
};

}  // namespace pw::test
