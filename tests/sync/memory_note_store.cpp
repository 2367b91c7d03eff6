#include "sync/memory_note_store.h"

#include <gtest/gtest.h>

#include "richtext/rtf_plain_text.h"

namespace pw::test {

SyncNote& MemoryNoteStore::Add(const QString& caption, const QString& text) {
  SyncNote note;
  note.uid = NewNoteKey();
  note.caption = caption;
  note.rtf = RtfOfPlainText(text);
  return notes[note.uid] = note;
}

const SyncNote* MemoryNoteStore::Find(const QString& captionStart) const {
  const SyncNote* found = nullptr;
  int count = 0;
  for (const auto& [key, note] : notes)
    if (note.caption.startsWith(captionStart)) {
      found = &note;
      ++count;
    }
  EXPECT_EQ(count, 1) << captionStart.toStdString();
  return count == 1 ? found : nullptr;
}

}  // namespace pw::test
