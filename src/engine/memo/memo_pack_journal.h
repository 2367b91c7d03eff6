// The commit record of a memo pack, so that a crash at any instant leaves
// the table and its memo file consistent.
//
// A pack writes the packed memo file as a twin ("<memo file>.$$$", see
// platform/file_replacement.h) and makes it durable; then it writes the
// journal "<memo file>.$$J": the packed file's size and checksum and the
// memo fields to rewrite, each as (record, field, new block), and makes it
// durable. Once the journal is complete the pack is committed: the twin is
// renamed over the memo file (which also makes the journal's folder entry
// durable), the fields are rewritten, and the journal is removed. Until
// then the old memo file and the fields are untouched.
//
// The next open of the table after a crash finishes a committed pack: the
// twin, when it is still there and intact, replaces the memo file, and
// when the memo file is the packed one the fields are rewritten again. A
// torn journal, or one whose packed file is gone or was changed since (a
// removal that did not reach the disk), is thrown away.
//
// Journal layout (little-endian): "PWMEMOJ2", packed size (64-bit), packed
// checksum (32-bit), entry count (32-bit), entries of record (32-bit),
// field (16-bit), block (32-bit), then an FNV-1a checksum (32-bit) of
// everything before it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/memo/field_rewrite.h"
#include "engine/table/work_area.h"
#include "platform/file.h"

namespace pw {

// What identifies the packed memo file: its size and FNV-1a checksum.
struct PackedFingerprint {
  std::uint64_t size = 0;
  std::uint32_t checksum = 0;
};

inline constexpr char kPackTwinSuffix[] = ".$$$";

// Computes the fingerprint of an open file. Returns 0 or the I/O code.
int FingerprintOf(const platform::File& file, PackedFingerprint* fingerprint);
std::string PackJournalPath(const std::string& memoPath);

// Writes the journal and makes its contents durable (its folder entry
// becomes durable with the rename of the twin). Returns 0 or the I/O code.
int WritePackJournal(const std::string& memoPath, const PackedFingerprint& packed,
                     const std::vector<FieldRewrite>& rewrites);
// Removes the journal. Returns 0 or the I/O code.
int RemovePackJournal(const std::string& memoPath);
// The memo field text of a block: right-aligned in 10 characters.
std::string MemoFieldText(std::uint32_t block);

// Finishes or discards a pack that a crash interrupted, for the table open
// in `area` whose memo file is `memoPath`. Returns 0 or the reported code.
int RecoverInterruptedPack(WorkArea& area, const std::string& memoPath);

// For a read-only open, which may change no file: whether a pack was
// interrupted (a journal is there), and the field rewrites a reader must
// apply itself, which are none unless the memo file is already the packed
// one. Until the twin replaced it, the old memo file goes with the fields as
// they are.
struct InterruptedPackView {
  bool interrupted = false;
  std::vector<FieldRewrite> rewrites;  // sorted by record
};
InterruptedPackView ViewInterruptedPack(const std::string& memoPath);

// Puts the packed memo fields of the current record into `area.raw` when a
// read-only open found a committed pack whose rewrites are not all done.
void ShowPackedFields(WorkArea& area);

// Whether the table open in `area` is read-only with an interrupted memo
// pack that a read-write open will complete.
bool MemoPackInterrupted(WorkArea& area);

}  // namespace pw
