// Reading one memo entry of the current table line by line, as a text file
// bound to a memo field (AssignMemo, then GetMemo until it answers false).
//
// Lines end at CR (an LF right after it is skipped) and at the soft line
// break 0x8D. A line longer than 254 characters is wrapped: the part up to
// its last blank within the first 254 characters becomes a line (the blank
// itself is dropped), or the first 254 characters when there is no blank.
// Text of an OEM table is returned as ANSI unless the entry holds binary
// data (a control character other than tab, LF, CR, 15, 20 or 21 in its
// first 32,767 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pw {

class MemoLineReader {
 public:
  // Reads entry `block` of the current table's memo file. A block below 1 is
  // an empty memo. Returns false, with the error reported, when the current
  // work area has no table or no memo file, or the entry cannot be read (the
  // reader is then empty), or when the entry runs past the end of the file
  // (1003; the reader then holds what is there).
  bool AssignMemo(std::int32_t block);
  // The next line; false when every line has been returned.
  bool GetMemo(std::string& line);

 private:
  std::string text_;  // raw entry bytes as stored
  std::size_t next_ = 0;
  bool translate_ = false;
};

}  // namespace pw
