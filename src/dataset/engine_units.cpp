#include "dataset/engine_units.h"

#include "engine/expr/expr_hooks.h"
#include "engine/index/index_unit.h"
#include "engine/memo/memo_unit.h"

namespace pw {

void InitEngineUnits() {
  static const bool registered = [] {
    RegisterMemoUnit();
    RegisterIndexUnit();
    RegisterExprUnit();
    return true;
  }();
  (void)registered;
}

}  // namespace pw
