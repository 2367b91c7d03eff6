#include "engine/index/record_key.h"

#include <cstring>

namespace pw {

std::string RecordKey(UnitState& keyExpression, const KeyRecipe& recipe, int keyLength) {
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr) return {};
  const void* result = expr->Evaluate(keyExpression);
  if (result == nullptr) return {};
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
