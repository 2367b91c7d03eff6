#include "engine/index/add_index_tag.h"

#include <algorithm>
#include <memory>
#include <new>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/text_routines.h"
#include "engine/index/mdx_io.h"
#include "engine/index/tag_build.h"
#include "engine/index/tag_header.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr const char* kOperation = " [AddIndexTag()]";

bool Report(std::uint16_t code, const std::string& text) {
  SetError(code, text + kOperation);
  return false;
}

// The key type of a compiled result type; 0 for L and M.
char KeyTypeOf(char resultType) {
  return IsKeyType(resultType) ? resultType : 0;
}

// The current key expression of the key maker, cleared again on every way
// out so that no released expression stays current.
class CurrentKeyScope {
 public:
  explicit CurrentKeyScope(ExprHooks& expr) : expr_(expr) { expr_.SetCurrentKey(nullptr); }
  ~CurrentKeyScope() { expr_.SetCurrentKey(nullptr); }
  void Set(UnitState* key) { expr_.SetCurrentKey(key); }
  CurrentKeyScope(const CurrentKeyScope&) = delete;
  CurrentKeyScope& operator=(const CurrentKeyScope&) = delete;

 private:
  ExprHooks& expr_;
};

}  // namespace

bool AddIndexTag(IndexBuildTarget& target, const TagDescription& tag) {
  ClearEngineError();
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr) return Report(kOutOfMemory, " to allocate curr_index");
  CurrentKeyScope currentKey(*expr);
  const std::string forText = TrimTrailing(tag.forExpression);
  if (!forText.empty()) {
    if (int code = expr->ForCheck(forText)) {
      return Report(static_cast<std::uint16_t>(code), "Invalid FOR expression for " + tag.name);
    }
  }
  if (tag.keyExpression.size() > kMdxMaxExpressionLength) {
    return Report(kExpressionTooLong, "Expression length exceeds 100 bytes");
  }
  if (target.header.TagCount() >= kMdxMaxTags) {
    return Report(kInvalidParameter, "Too many tags in " + target.path);
  }
  std::unique_ptr<UnitState> key = expr->AssignExpr(tag.keyExpression);
  if (key == nullptr) return false;
  currentKey.Set(key.get());
  const ExprShape shape = expr->Shape(*key);
  const char keyType = KeyTypeOf(shape.type);
  if (keyType == 0) return Report(kInternalError, "Wrong parser return type");

  TagBuildPlan plan;
  plan.keyExpression = key.get();
  plan.recipe = {static_cast<KeyType>(keyType), shape.decimals, CurrentArea().oem};
  plan.descending = tag.descending;
  plan.unique = tag.unique;
  switch (plan.recipe.type) {
    case KeyType::kNumeric:
      plan.keyLength = kNumericKeyLength;
      break;
    case KeyType::kDate:
      plan.keyLength = kDateKeyLength;
      break;
    case KeyType::kCharacter:
      plan.keyLength =
          std::max(static_cast<int>(RecordKey(*key, plan.recipe).size()), tag.keyLength);
      break;
  }
  if (plan.keyLength < kMdxMinKeyLength || plan.keyLength > kMdxMaxKeyLength) {
    return Report(kInvalidSize, "Incorrect key length: Must be 1 to 100.");
  }
  plan.itemLength = ItemLengthFor(plan.keyLength);
  plan.maxKeys = MaxKeysFor(plan.itemLength);
  std::unique_ptr<UnitState> condition;
  if (!forText.empty()) {
    condition = expr->AssignExpr(forText);
    if (condition == nullptr) return false;
    plan.forExpression = condition.get();
  }

  TagBuildResult built;
  try {
    if (!BuildTagTree(CurrentArea(), target.file, target.path, plan, &built)) return false;
  } catch (const std::bad_alloc&) {
    return Report(kOutOfMemory, " to allocate curr_index");
  }
  const TagDefinition definition{plan.recipe.type, plan.keyLength, tag.keyExpression,
                                 forText,          tag.descending, tag.unique};
  TagHeader header;
  if (TagHeader::Create(definition, built.root, &header) != MdxFault::kNone) {
    return Report(kExpressionTooLong, "Expression length exceeds 100 bytes");
  }
  header.SetForSatisfied(built.forSatisfied);
  std::uint32_t block = 0;
  if (int code = AppendTagHeader(target.file, header, &block)) {
    SetError(static_cast<std::uint16_t>(code), " [MakeIndex]");
    return false;
  }
  target.header.AddTag(block, tag.name, keyType);
  target.header.SetBlockCounter(built.root + kMdxBlocksPerNode);
  return true;
}

}  // namespace pw
