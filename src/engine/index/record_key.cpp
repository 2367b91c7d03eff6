#include "engine/index/record_key.h"

#include <algorithm>
#include <cstring>

namespace pw {

std::string RecordKey(UnitState& keyExpression, const KeyRecipe& recipe, int keyLength) {
  // Callers copy `keyLength` bytes of the key into nodes and the sorter: a
  // value that could not be made still gives that many (blanks for C keys,
  // zeros otherwise), never a shorter key they would read past.
  const auto noKey = [&] {
    return std::string(static_cast<std::size_t>(std::max(keyLength, 0)),
                       recipe.type == KeyType::kCharacter ? ' ' : '\0');
  };
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr) return noKey();
  const void* result = expr->Evaluate(keyExpression);
  if (result == nullptr) return noKey();
  switch (recipe.type) {
    case KeyType::kNumeric: {
      const PackedDecimal key = NumericKey(*static_cast<const double*>(result), recipe.decimals);
      return std::string(key.begin(), key.end());
    }
    case KeyType::kDate: {
      const DateKeyBytes key = DateKey(*static_cast<const double*>(result));
      return std::string(key.begin(), key.end());
    }
    case KeyType::kCharacter:
      break;
  }
  const auto* text = static_cast<const char*>(result);
  std::string key = CharacterKey(std::string_view(text, std::strlen(text)), recipe.oemText);
  if (keyLength > 0) key.resize(static_cast<std::size_t>(keyLength), ' ');
  return key;
}

}  // namespace pw
