#include "engine/table/locate_state.h"

namespace pw {

LocateState& CurrentLocateState() {
  static LocateState state;
  return state;
}

}  // namespace pw
