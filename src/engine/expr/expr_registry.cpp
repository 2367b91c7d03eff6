#include "engine/expr/expr_registry.h"

#include <algorithm>
#include <vector>

#include "engine/expr/expression.h"

namespace pw {
namespace {

// Never destroyed: the exit handler that closes the tables still open runs
// after the statics made later than its registration are gone, and closing
// a table releases its filter and key expressions here.
std::vector<std::unique_ptr<CompiledExpr>>& Registry() {
  static auto* registry = new std::vector<std::unique_ptr<CompiledExpr>>;
  return *registry;
}

auto Find(const CompiledExpr* expr) {
  auto& registry = Registry();
  return std::find_if(registry.begin(), registry.end(),
                      [expr](const auto& entry) { return entry.get() == expr; });
}

}  // namespace

CompiledExpr* RegisterExpr(std::unique_ptr<CompiledExpr> expr) {
  Registry().push_back(std::move(expr));
  return Registry().back().get();
}

bool IsRegisteredExpr(const CompiledExpr* expr) {
  return expr != nullptr && Find(expr) != Registry().end();
}

void ReleaseExpr(CompiledExpr*& expr) {
  if (expr == nullptr) return;
  const auto entry = Find(expr);
  if (entry == Registry().end()) return;
  if (CurrentKeyExpr() == expr) SetCurrentKeyExpr(nullptr);
  Registry().erase(entry);
  expr = nullptr;
}

}  // namespace pw
