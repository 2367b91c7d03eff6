#include "engine/expr/machine.h"

#include "common/error_state.h"

namespace pw {
namespace {

bool AutoDispatchIsOn() {
  const bool on = SetAutoDispatch(true);
  SetAutoDispatch(on);
  return on;
}

}  // namespace

// With auto-dispatch on the report has been dispatched and ends the
// evaluation; with it off the evaluation goes on to its end.
void Machine::ReportDivideByZero() {
  SetError(358, "Error during evaluation: Divide by 0 [Evaluate/Engine]");
  if (AutoDispatchIsOn()) stopped_ = true;
}

void Machine::ReportPoolOverflow() {
  SetError(354, "Working pool overflow [PARSER/Allocate]");
  if (AutoDispatchIsOn()) stopped_ = true;
}

}  // namespace pw
