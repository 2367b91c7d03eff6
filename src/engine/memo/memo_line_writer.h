// Writing the memo text of a record line by line, as a text file bound to a
// memo field (EditMemo, lines, CloseMemo). The lines are joined with CR LF
// and stored as one entry when the writer is closed.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

class MemoLineWriter {
 public:
  // Starts a new text for the current table's record whose entry is at
  // `oldBlock` (0: none). False (reported) when the current work area has no
  // table or no memo file.
  bool EditMemo(std::int32_t oldBlock);
  void WriteLine(const std::string& line);
  // Stores the text (a dBASE IV entry may reuse the old entry's blocks or
  // free ones) and brings the memo header up to date. `*block` gets the
  // block for the record's memo field: 0 when no text was written. False
  // (reported) when storing failed; `*block` is then 0 and the record keeps
  // its old entry.
  bool CloseMemo(std::int32_t* block);

 private:
  std::string text_;
  std::uint32_t oldBlock_ = 0;
  bool lines_ = false;
};

}  // namespace pw
