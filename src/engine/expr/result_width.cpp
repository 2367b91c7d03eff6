#include "engine/expr/result_width.h"

#include "engine/expr/lexer.h"

namespace pw {
namespace {

constexpr std::uint16_t kDateWidth = 8;
constexpr std::uint16_t kLogicalWidth = 1;
constexpr std::uint16_t kMemoWidth = 256;
constexpr std::uint8_t kDefaultDecimals = 2;

}  // namespace

void SetResultWidth(CompiledExpr& expr, const ParseTrackers& trackers) {
  expr.decimals = 0;
  switch (expr.type) {
    case ValueType::Character:
      expr.width = trackers.poolSize == trackers.lastWidth + 1u ? trackers.lastWidth : 0;
      break;
    case ValueType::Date:
      expr.width = kDateWidth;
      break;
    case ValueType::Logical:
      expr.width = kLogicalWidth;
      break;
    case ValueType::Memo:
      expr.width = kMemoWidth;
      break;
    case ValueType::Number: {
      expr.decimals =
          trackers.lastDecimals == kDecimalsMarker ? kDefaultDecimals : trackers.lastDecimals;
      const unsigned least = expr.decimals + 2u;
      expr.width = trackers.lastWidth >= least ? trackers.lastWidth
                                               : static_cast<std::uint16_t>(expr.decimals + 11u);
      break;
    }
  }
}

}  // namespace pw
