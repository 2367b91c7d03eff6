// The command text of Use: a file name followed by the options EXCLUSIVE and
// ALIAS <name> in any order, e.g. "notes EXCLUSIVE ALIAS TZNOTES".
#pragma once

#include <string>

namespace pw {

struct UseCommand {
  std::string fileName;  // as typed (case kept), options removed, trimmed
  std::string alias;     // upper case, at most 64 characters; empty when not given
  bool exclusive = false;
};

// `command` must already be trimmed. Options are recognised in any case.
UseCommand ParseUseCommand(const std::string& command);

}  // namespace pw
