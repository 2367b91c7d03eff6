#include "engine/table/field_info.h"

#include "common/code_page.h"
#include "common/date_settings.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/text_routines.h"
#include "engine/table/record_image.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr std::size_t kNameLength = 10;

int CountOf(const WorkArea& area) {
  return static_cast<int>(area.fields.size());
}

// The field numbered n, or null after reporting "[<operation>(<n>)]".
const FieldDef* FieldAt(const std::string& operation, int n) {
  if (CheckInUse(operation + "()")) return nullptr;
  const WorkArea& area = CurrentArea();
  if (n >= 1 && n <= CountOf(area)) return &area.fields[static_cast<std::size_t>(n - 1)];
  SetError(kInvalidParameter,
           "Invalid field number. [" + operation + "(" + std::to_string(n) + ")]");
  return nullptr;
}

std::string NameOf(const FieldDef& field) {
  return field.name.substr(0, kNameLength);
}

}  // namespace

int FieldCount() {
  if (CheckInUse("FieldCount()")) return 0;
  return CountOf(CurrentArea());
}

std::string Field(int n) {
  const FieldDef* field = FieldAt("Field", n);
  return field != nullptr ? NameOf(*field) : std::string();
}

int FieldNo(const std::string& name) {
  if (CheckInUse("FieldNo()")) return 0;
  const std::string wanted = Upper(AllTrim(name.substr(0, kNameLength)));
  const WorkArea& area = CurrentArea();
  for (int n = 1; n <= CountOf(area); ++n) {
    if (NameOf(area.fields[static_cast<std::size_t>(n - 1)]) == wanted) return n;
  }
  return 0;
}

char FieldType(int n) {
  const FieldDef* field = FieldAt("FieldType", n);
  return field != nullptr ? field->type : ' ';
}

int FieldLen(int n) {
  const FieldDef* field = FieldAt("FieldLen", n);
  if (field == nullptr) return 0;
  if (field->type == 'D') return CurrentDateSettings().century ? 10 : 8;
  return field->length;
}

int FieldDec(int n) {
  const FieldDef* field = FieldAt("FieldDec", n);
  return field != nullptr ? field->decimals : 0;
}

unsigned char* FieldAddress(int n) {
  if (CheckInUse("FieldAddress()")) return nullptr;
  WorkArea& area = CurrentArea();
  if (n < 0 || n > CountOf(area)) {
    SetError(kInvalidParameter, "Invalid field number. [FieldAddress(" + std::to_string(n) + ")]");
    return nullptr;
  }
  // Slot k follows the deleted flag and the slots of fields 1 .. k - 1.
  unsigned char* slot = area.image;
  if (n > 0) {
    slot += 1;
    for (int k = 1; k < n; ++k) slot += ImageSlotSize(area.fields[static_cast<std::size_t>(k - 1)]);
  }
  return slot;
}

}  // namespace pw
