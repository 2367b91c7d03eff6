// What Use opens: a table's path, whether exclusively, and its alias. The
// command-text form, for callers that hold one, is a file name followed by
// the options EXCLUSIVE and ALIAS <name> in any order, e.g.
// "notes EXCLUSIVE ALIAS TZNOTES". Options are recognised only after the
// name, so a name with blanks and option words in it ("My Exclusive
// Notes/t.dbf") is never cut; a name in double or single quotes is taken up
// to its closing quote whatever it holds.
#pragma once

#include <cstddef>
#include <string>

namespace pw {

inline constexpr std::size_t kMaxAliasLength = 64;

struct UseCommand {
  std::string fileName;  // as typed (case kept), without options or quotes
  std::string alias;     // upper case, at most 64 characters; empty when not given
  bool exclusive = false;
};

// `command` must already be trimmed. Options are recognised in any case.
UseCommand ParseUseCommand(const std::string& command);

}  // namespace pw
