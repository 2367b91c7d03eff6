// Running an edit whose clean-up must finish before anyone hears of its
// failure: with auto-dispatch on, a dispatch may raise or end the process,
// and a write semaphore left held or a record left half-written would
// outlive it.
#pragma once

#include <cstdint>
#include <string>

#include "common/error_state.h"

namespace pw {

// Runs `step` with auto-dispatch off, then reports the error it left (if
// any) again, so that it is dispatched once, after the step. Returns what
// the step returned.
template <class Step>
bool DispatchAfter(Step step) {
  bool done = false;
  {
    AutoDispatchOff quiet;
    done = step();
  }
  if (const std::uint16_t code = EngineErrorCode(); code != 0) SetError(code, TakeDetailText());
  return done;
}

}  // namespace pw
