// The current record of the current work area as a JSON object:
// {"_recno": n, "_deleted": bool, then the chosen fields in table order}.
// Memo fields hold their text ("" when none); values whose stored bytes
// cannot be read are null.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "stored_field.h"

namespace pw::pwdbf {

// Positions in the field table of the fields named in `list` ("A,B", any
// case; table order kept), or of every field when there is no list. Throws
// ToolError for a name the table does not have.
std::vector<std::size_t> ChooseFields(const std::string& table,
                                      const std::optional<std::string>& list);

Json CurrentRecordJson(const std::string& table, const std::vector<std::size_t>& fields);

}  // namespace pw::pwdbf
