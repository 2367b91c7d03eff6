// Packing the memo file: rewriting it with only the entries the records
// refer to, in record order, and pointing the memo fields at them. Called
// by Pack after the records were compacted, with the table held
// exclusively. Crash-safe through a twin and a journal (memo_pack_journal.h).
#pragma once

namespace pw {

// Packs the current table's memo file. Every entry referred to by a memo
// field is copied, in record and field order, to the next block boundary of
// the new file (a dBASE III entry without header keeps its 0x1A end, every
// other entry gets the header of the file's kind). A field whose block lies
// beyond the end of the old file is reported (1003) and left as it is; an
// entry cut off by the end of the file is copied as far as it goes and
// reported the same way. Returns true when the packed memo file is in
// place (even with such reports); false, with the old memo file and the
// fields as they were, when the pack could not be done (1012 for too little
// disk space, 29 or the I/O code).
bool PackMemofile();

}  // namespace pw
