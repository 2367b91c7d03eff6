// Running compiled code: the instructions in order over the value stack and
// the working pool, which start empty on every evaluation.
#include "engine/expr/expression.h"
#include "engine/expr/machine.h"
#include "engine/table/work_areas.h"

namespace pw {

const void* EvaluateInArea(CompiledExpr* expr, WorkArea& area) {
  if (expr == nullptr) return nullptr;
  Machine machine(*expr, area);
  for (const Instruction& instruction : expr->code) {
    instruction.run(machine, instruction);
    if (machine.stopped()) break;
  }
  return expr->ResultLocation();
}

const void* Evaluate(CompiledExpr* expr) {
  return EvaluateInArea(expr, CurrentArea());
}

}  // namespace pw
