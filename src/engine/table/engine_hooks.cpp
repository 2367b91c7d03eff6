#include "engine/table/engine_hooks.h"

namespace pw {

EngineHooks& RegisteredHooks() {
  static EngineHooks hooks;
  return hooks;
}

IndexHooks* ActiveIndex(WorkArea& area) {
  IndexHooks* index = RegisteredHooks().index;
  return index != nullptr && index->IndexActive(area) ? index : nullptr;
}

}  // namespace pw
