#include "engine/index/tag_record.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "engine/index/record_key.h"

namespace pw {
namespace {

std::string WithoutTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

}  // namespace

std::string KeyOfRecord(IndexTag& tag) {
  if (tag.keyExpression == nullptr) return std::string(tag.currentKey.size(), ' ');
  return RecordKey(*tag.keyExpression, tag.recipe, tag.anchor.KeyLength());
}

bool MeetsFor(IndexTag& tag) {
  ExprHooks* expr = RegisteredHooks().expr;
  if (tag.forExpression == nullptr || expr == nullptr) return true;
  const void* result = expr->Evaluate(*tag.forExpression);
  if (result == nullptr) return false;
  std::int32_t flag = 0;
  std::memcpy(&flag, result, sizeof flag);
  return flag != 0;
}

std::string RecordKeyText(IndexTag& tag) {
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr || tag.keyExpression == nullptr) return {};
  switch (tag.anchor.Type()) {
    case KeyType::kCharacter:
      return WithoutTrailingBlanks(KeyOfRecord(tag));
    case KeyType::kNumeric: {
      const ExprShape shape = expr->Shape(*tag.keyExpression);
      const void* result = expr->Evaluate(*tag.keyExpression);
      if (result == nullptr) return {};
      const double value = *static_cast<const double*>(result);
      char text[64];
      std::snprintf(text, sizeof text, "%*.*f", static_cast<int>(shape.width),
                    static_cast<int>(shape.decimals), value);
      return WithoutTrailingBlanks(text);
    }
    case KeyType::kDate:
      break;
  }
  const std::unique_ptr<UnitState> dateText =
      expr->AssignExpr("DTOC(" + tag.anchor.KeyExpression() + ")");
  if (dateText == nullptr) return {};
  const void* text = expr->Evaluate(*dateText);
  return text == nullptr ? std::string() : WithoutTrailingBlanks(static_cast<const char*>(text));
}

}  // namespace pw
