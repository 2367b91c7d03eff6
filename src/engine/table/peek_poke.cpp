#include "engine/table/peek_poke.h"

#include <algorithm>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "engine/table/edit_lock_rule.h"
#include "engine/table/record_io.h"
#include "engine/table/work_areas.h"
#include "platform/os_error.h"

namespace pw {
namespace {

struct StoredSpan {
  std::uint64_t offset = 0;
  std::size_t length = 0;
};

// Where field `field` of record `record` lies in the file; false when either
// number is out of range.
bool Locate(const WorkArea& area, int field, std::int32_t record, StoredSpan& span) {
  if (record < 1 || record > area.recordCount) return false;
  if (field < 0 || field > static_cast<int>(area.fields.size())) return false;
  span.offset = RecordOffset(area, record);
  span.length = 1;
  if (field > 0) {
    const FieldDef& def = area.fields[static_cast<std::size_t>(field - 1)];
    span.offset += def.offset;
    span.length = def.length;
  }
  return true;
}

std::string Arguments(int field, std::int32_t record) {
  return std::to_string(field) + "," + std::to_string(record);
}

}  // namespace

std::string Peek(int field, std::int32_t record) {
  if (CheckInUse("Peek")) return {};
  ClearEngineError();
  const WorkArea& area = CurrentArea();
  StoredSpan span;
  if (!Locate(area, field, record, span)) return {};
  std::string text(span.length, '\0');
  std::size_t got = 0;
  int code = area.file.ReadAt(span.offset, text.data(), span.length, &got);
  // A field cut off by the end of the file is as unreadable as a missing one.
  if (code == 0 && got != span.length) code = platform::kDiskReadError;
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "DBF: " + area.fileName + " [Peek(" + Arguments(field, record) + ")]");
    return {};
  }
  return text;
}

bool Poke(const std::string& text, int field, std::int32_t record) {
  if (CheckInUse("Poke")) return false;
  ClearEngineError();
  WorkArea& area = CurrentArea();
  const std::string operation = "[Poke(" + text + "," + Arguments(field, record) + ")]";
  if (!MayWriteRecord(record)) {
    SetError(kRecordNotLocked, "Record not locked " + operation);
    return false;
  }
  StoredSpan span;
  if (!Locate(area, field, record, span)) return true;
  const std::size_t count = std::min(text.size(), span.length);
  if (int code = area.file.WriteAt(span.offset, text.data(), count); code != 0) {
    SetError(static_cast<std::uint16_t>(code), operation);
    return false;
  }
  return true;
}

}  // namespace pw
