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
#include "engine/table/dbf_header.h"
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

// A tag of the list with its compiled expressions and, once they compiled,
// its build; `failure` holds why it was refused before the build.
struct PreparedTag {
  const TagDescription* tag = nullptr;
  std::string forText;
  char keyType = 0;
  std::unique_ptr<UnitState> key;
  std::unique_ptr<UnitState> condition;
  std::unique_ptr<TagTreeBuild> build;
  TagFailure failure;

  const TagFailure& Failure() const { return build != nullptr ? build->Failure() : failure; }
};

// Checks and compiles the tag's expressions and plans its tree; `tagsBefore`
// tags precede it in the index file `indexPath`. False with the error
// reported.
bool Prepare(ExprHooks& expr, const std::string& indexPath, std::size_t tagsBefore,
             PreparedTag& prepared) {
  const TagDescription& tag = *prepared.tag;
  prepared.forText = TrimTrailing(tag.forExpression);
  if (!prepared.forText.empty()) {
    if (int code = expr.ForCheck(prepared.forText)) {
      return Report(static_cast<std::uint16_t>(code), "Invalid FOR expression for " + tag.name);
    }
  }
  if (tag.keyExpression.size() > kMdxMaxExpressionLength) {
    return Report(kExpressionTooLong, "Expression length exceeds 100 bytes");
  }
  if (tagsBefore >= kMdxMaxTags) {
    return Report(kInvalidParameter, "Too many tags in " + indexPath);
  }
  prepared.key = expr.AssignExpr(tag.keyExpression);
  if (prepared.key == nullptr) return false;
  expr.SetCurrentKey(prepared.key.get());
  const ExprShape shape = expr.Shape(*prepared.key);
  prepared.keyType = KeyTypeOf(shape.type);
  if (prepared.keyType == 0) return Report(kInternalError, "Wrong parser return type");

  TagBuildPlan plan;
  plan.keyExpression = prepared.key.get();
  plan.recipe = {static_cast<KeyType>(prepared.keyType), shape.decimals, CurrentArea().oem};
  plan.descending = tag.descending;
  plan.unique = tag.unique;
  plan.collation = CollationOfLanguage(CurrentArea().prolog[kLanguageDriverByte]);
  switch (plan.recipe.type) {
    case KeyType::kNumeric:
      plan.keyLength = kNumericKeyLength;
      break;
    case KeyType::kDate:
      plan.keyLength = kDateKeyLength;
      break;
    case KeyType::kCharacter:
      plan.keyLength =
          std::max(static_cast<int>(RecordKey(*prepared.key, plan.recipe).size()), tag.keyLength);
      break;
  }
  if (plan.keyLength < kMdxMinKeyLength || plan.keyLength > kMdxMaxKeyLength) {
    return Report(kInvalidSize, "Incorrect key length: Must be 1 to 100.");
  }
  plan.itemLength = ItemLengthFor(plan.keyLength);
  plan.maxKeys = MaxKeysFor(plan.itemLength);
  if (!prepared.forText.empty()) {
    prepared.condition = expr.AssignExpr(prepared.forText);
    if (prepared.condition == nullptr) return false;
    plan.forExpression = prepared.condition.get();
  }
  try {
    prepared.build = std::make_unique<TagTreeBuild>(plan, CurrentArea().recordCount);
  } catch (const std::bad_alloc&) {
    return Report(kOutOfMemory, " to allocate curr_index");
  }
  return true;
}

// Writes the tag's tree and its tag header and enters it in the header.
// False with the error reported.
bool Enter(IndexBuildTarget& target, PreparedTag& prepared) {
  TagBuildResult built;
  if (!prepared.build->WriteTree(target.file, target.path, &built)) return false;
  const TagDescription& tag = *prepared.tag;
  const TagBuildPlan& plan = prepared.build->Plan();
  const TagDefinition definition{plan.recipe.type, plan.keyLength, tag.keyExpression,
                                 prepared.forText, tag.descending, tag.unique};
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
  target.header.AddTag(block, tag.name, prepared.keyType);
  return true;
}

}  // namespace

TagFailure AddIndexTags(IndexBuildTarget& target, const std::vector<TagDescription>& tags,
                        bool stopAtFailure) {
  ClearEngineError();
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr) {
    Report(kOutOfMemory, " to allocate curr_index");
    return TakeReportedFailure();
  }
  CurrentKeyScope currentKey(*expr);
  std::vector<PreparedTag> prepared;
  std::vector<TagTreeBuild*> builds;
  for (const TagDescription& tag : tags) {
    if (tag.name.empty()) break;
    ClearEngineError();
    PreparedTag& next = prepared.emplace_back();
    next.tag = &tag;
    if (Prepare(*expr, target.path, target.header.TagCount() + builds.size(), next)) {
      builds.push_back(next.build.get());
      continue;
    }
    next.failure = TakeReportedFailure();
    if (stopAtFailure) break;
  }
  CheckTagDiskSpace(CurrentArea(), target.path, builds);
  CollectTagKeys(CurrentArea(), builds);

  TagFailure first;
  for (PreparedTag& tag : prepared) {
    if (tag.build != nullptr && !tag.build->Failed()) {
      ClearEngineError();
      if (!Enter(target, tag)) tag.build->Fail(TakeReportedFailure());
    }
    if (tag.Failure().code == 0) continue;
    if (first.code == 0) first = tag.Failure();
    if (stopAtFailure) break;
  }
  return first;
}

}  // namespace pw
