#include "engine/table/engine_state.h"

namespace pw {

// Never destroyed: the exit handler that closes the tables still open runs
// after the statics made later than its registration are gone, and closing
// a memo file reads its commit setting here.
EngineState& ProcessState() {
  static auto* state = new EngineState;
  return *state;
}

}  // namespace pw
