// The key of the current record: a tag's compiled key expression evaluated
// and encoded for the tag's key type (index_key.h).
#pragma once

#include <string>

#include "engine/index/index_key.h"
#include "engine/table/engine_hooks.h"

namespace pw {

// What a key expression makes: its key type, the decimals of a numeric
// result, and whether C keys go to the OEM code page.
struct KeyRecipe {
  KeyType type = KeyType::kCharacter;
  int decimals = 0;
  bool oemText = false;
};

// Evaluates `keyExpression` against the current record of the current work
// area. N keys are 12 bytes and D keys 8; a C key is the text of the value,
// cut or blank-padded to `keyLength` when that is above 0. When the
// expression unit is missing or the value cannot be made, `keyLength` blanks
// (C) or zeros (N, D), so empty only when `keyLength` is 0.
std::string RecordKey(UnitState& keyExpression, const KeyRecipe& recipe, int keyLength = 0);

}  // namespace pw
