// Creating a new, empty table (record file and, for memo fields, memo file).
#pragma once

#include <string>
#include <vector>

#include "engine/table/field_def.h"

namespace pw {

// Creates the table `name` (extension ".dbf" when it has none) with the
// first `n` of `entries` (offsets ignored), replacing an existing file of
// that name in any case. `oemText`: the table stores code page 850 text,
// else Windows-1252; the language driver byte says which. The table is not
// opened. Returns false with the engine error set on failure; a bad field
// definition writes nothing.
bool CreateDBF(const std::string& name, int n, const std::vector<FieldDef>& entries,
               bool oemText = true);

}  // namespace pw
