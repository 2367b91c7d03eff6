#include "date_key_hint.h"

#include <cstring>
#include <optional>
#include <vector>

#include "common/date_settings.h"
#include "common/error_state.h"
#include "engine/index/stored_expression.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/work_areas.h"
#include "index_reader.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

// The length of the key `expression` makes from the blank record, as the
// index open measures it; nothing when it does not compile or evaluate.
std::optional<std::size_t> BlankRecordKeyLength(const std::string& expression) {
  ExprHooks* expr = RegisteredHooks().expr;
  if (expr == nullptr) return std::nullopt;
  const std::unique_ptr<UnitState> compiled = expr->AssignExpr(expression);
  if (compiled == nullptr) return std::nullopt;
  WorkArea& area = CurrentArea();
  const std::vector<unsigned char> saved = area.raw;
  area.raw.assign(area.raw.size(), ' ');
  const void* key = expr->Evaluate(*compiled);
  std::optional<std::size_t> length;
  if (key != nullptr) length = std::strlen(static_cast<const char*>(key));
  area.raw = saved;
  return length;
}

std::optional<std::size_t> LengthWithCentury(const std::string& expression, bool century) {
  DateSettings& settings = CurrentDateSettings();
  const bool saved = settings.century;
  settings.century = century;
  const std::optional<std::size_t> length = BlankRecordKeyLength(expression);
  settings.century = saved;
  return length;
}

}  // namespace

std::string DateKeyLengthHint(const std::string& indexPath, bool refused) {
  const std::uint16_t code = EngineErrorCode();
  const std::string detail = TakeDetailText();
  std::string hint;
  try {
    const IndexReader index(indexPath);
    const bool century = CurrentDateSettings().century;
    for (int n = 1; n <= index.TagCount() && hint.empty(); ++n) {
      const IndexTagInfo tag = index.Tag(n);
      const std::string expression = NormalizeStoredExpression(tag.anchor.KeyExpression());
      if (tag.anchor.Type() != KeyType::kCharacter ||
          expression.find("DTOC(") == std::string::npos) {
        continue;
      }
      const auto stored = static_cast<std::size_t>(tag.anchor.KeyLength());
      if (LengthWithCentury(expression, century) == stored) continue;
      const bool otherFits = LengthWithCentury(expression, !century) == stored;
      // An opened tag may be shorter by design (TRIM()): advise only on a fit.
      if (!refused && !otherFits) continue;
      hint = "tag " + Utf8FromCp1252(tag.name) + " has DTOC() in its key, " +
             std::to_string(stored) + " characters long: ";
      hint += otherFits ? std::string("try --century ") + (century ? "off" : "on")
                        : "it fits neither --century on nor off";
    }
  } catch (const ToolError&) {
    hint.clear();  // the index's own refusal is the message
  }
  ClearEngineError();
  SetError(code, detail);
  return hint;
}

}  // namespace pw::pwdbf
