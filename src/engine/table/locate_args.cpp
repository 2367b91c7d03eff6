#include "engine/table/locate_args.h"

#include "common/code_page.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/text_routines.h"
#include "engine/table/engine_state.h"
#include "engine/table/field_info.h"
#include "engine/table/work_areas.h"

namespace pw {

int ParseLocateArgs(const std::string& argument) {
  if (CheckInUse("Locate/Count/Sum")) return 0;
  std::string text = Upper(AllTrim(argument));
  if (text.empty()) {
    SetError(kInvalidParameter, "No field name specified [Locate/Count/Sum]");
    return 0;
  }
  LocateState& state = ProcessState().locate;
  state.caseSensitive = !RemoveWord(" NOCASE", text);
  state.exact = RemoveWord(" EXACT", text);
  if (const int field = FieldNo(text); field != 0) return field;
  SetError(kInvalidParameter, "Unrecognized field name [Locate/Count/Sum(" + text + ")]");
  return 0;
}

}  // namespace pw
