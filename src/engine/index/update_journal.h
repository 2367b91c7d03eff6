// The undo journal of one update of an indexed table, "<index file>.$$J",
// so that a program killed in the middle of an append or a rewrite leaves
// the record and every tag as they were before it, never a record without
// its keys, an old key beside a new record, or a half-split tree.
//
// Before the first byte of an update reaches the table, the journal gets
// the table's length and the bytes the update may overwrite (the place of a
// new record, the record to be rewritten); before the index's changed
// nodes, anchors and header are written, it gets the index's length and the
// blocks about to be overwritten. New nodes at the end need no copy: the
// index is cut back to its length. The update ends by clearing the
// journal's magic. A journal that starts with its magic is therefore "hot":
// its update never ended,
// and the next program that takes the index semaphore's lock (or opens an
// exclusive table) puts the saved bytes back and cuts both files to their
// lengths. The journal is not synced: a killed process's writes are all in
// the system's page cache, in order, for every other program; a power cut
// is left to the index rebuild the application runs after an unclean end.
//
// Layout (little-endian): "PWIXJRN2", a generation number (64-bit, new for
// every update), then sections, each of: kind ('T' the table, 'I' the
// index), the file's inode number (64-bit; a section for a file made anew
// since is not applied), its length (64-bit), span count (32-bit), spans of
// offset (64-bit), byte count (32-bit) and the bytes, then a checksum
// (32-bit, FNV-1a over 64-bit words) of the generation and the section. A
// torn section, or one an earlier update left, ends the journal: nothing
// after it reached the files. Sections are undone last first, so an index
// written back twice in one update returns to its state before the first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"

namespace pw {

// Bytes of a file at an offset; `known`, when set, holds them as they are
// on disk, so that the file need not be read.
struct JournalSpan {
  std::uint64_t offset = 0;
  std::uint64_t count = 0;
  const unsigned char* known = nullptr;
};

// "<index file>.$$J".
std::string UpdateJournalPath(const std::string& indexPath);

class UpdateJournal {
 public:
  void SetPath(std::string path) { path_ = std::move(path); }
  const std::string& Path() const { return path_; }

  // Whether an update is under way (BeginTable was called and Finish not).
  bool InUpdate() const { return inUpdate_; }

  // Starts an update of the table: its length and the bytes of `spans`
  // (clipped to the file) go into the journal before anything is written.
  // Returns 0 or the I/O code.
  int BeginTable(const platform::File& table, const std::vector<JournalSpan>& spans);
  // Adds spans of the table to the update begun, before the table changes.
  int AddTableSpans(const platform::File& table, const std::vector<JournalSpan>& spans);
  // Before a write-back of the index: its length and the bytes of `spans`.
  int NoteIndex(const platform::File& index, const std::vector<JournalSpan>& spans);
  // The update is complete: the journal is emptied. Returns 0 or the code.
  int Finish();
  // Closes the journal and removes its file (no other program uses it).
  int Remove();

  // Whether the journal holds an update that never ended ("hot").
  bool Hot();
  // Undoes the update a hot journal records: the saved bytes go back into
  // `table` and `index`, both are cut to their lengths, and the journal is
  // cleared. `*rolledBack` tells whether there was anything to undo.
  // Returns 0 or the I/O code; a journal that cannot be undone stays hot.
  int RollBack(platform::File& table, platform::File& index, bool* rolledBack);

 private:
  struct Section {
    char kind = 0;
    std::uint64_t identity = 0;
    std::uint64_t length = 0;
    std::vector<JournalSpan> spans;
    std::string bytes;  // the spans' bytes, in order
  };
  static int Capture(const platform::File& file, char kind, const std::vector<JournalSpan>& spans,
                     Section* section);
  int Append(const Section& section);
  int EnsureOpen();
  int ClearMagic();

  std::string path_;
  platform::File file_;
  Section table_;
  std::uint64_t end_ = 0;  // bytes of the journal written
  std::uint64_t generation_ = 0;
  bool inUpdate_ = false;
};

}  // namespace pw
