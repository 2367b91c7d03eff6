#include "engine/table/locate.h"

#include <algorithm>

#include "common/code_page.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/number_routines.h"
#include "common/text_routines.h"
#include "engine/table/engine_state.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/locate_args.h"
#include "engine/table/memo_contains.h"
#include "engine/table/peek_poke.h"
#include "engine/table/skip.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// The value in the form the field stores it: C padded to the field length
// when exact, D as YYYYMMDD, N and F right-aligned in the field length with
// "." as the point (as stored, whatever the decimal separator), L as T or F.
std::string StoredForm(const FieldDef& field, const LocateValue& value, bool exact) {
  switch (field.type) {
    case 'C':
      return exact ? PadRight(value.text, field.length) : value.text;
    case 'D':
      return DateToSortText(value.text);
    case 'N':
    case 'F': {
      if (field.decimals == 0) return StrInt(value.whole, field.length);
      std::string text = StrNum(value.real, field.length, field.decimals);
      const std::size_t point = text.size() - field.decimals - 1u;
      if (text.size() > field.decimals && text[point] == CurrentDateSettings().decimalSeparator) {
        text[point] = '.';
      }
      return text;
    }
    case 'L':
      return value.truth ? "T" : "F";
    default:
      return value.text;
  }
}

// Searches on past the records that the current work area hides.
void ScanOnToVisible() {
  WorkArea& area = CurrentArea();
  while (!area.eof && !IsVisible(area)) {
    LocateScan(area.recordNumber + 1, ProcessState().locate.field, false);
  }
}

}  // namespace

void LocateScan(std::int32_t start, int field, bool first) {
  LocateState& state = ProcessState().locate;
  if (first) {
    if (!state.exact) state.searchText = TrimTrailing(state.searchText);
    if (!state.caseSensitive) state.searchText = Upper(state.searchText);
    state.field = static_cast<std::uint8_t>(field);
  }
  WorkArea& area = CurrentArea();
  const std::string& search = state.searchText;
  const std::int32_t last = area.recordCount;
  const bool memo = field >= 1 && field <= static_cast<int>(area.fields.size()) &&
                    area.fields[static_cast<std::size_t>(field - 1)].type == 'M';
  // A failed read of one record is reported and the search goes on; the
  // first such code outlives the moves that end the search.
  std::uint16_t scanError = 0;
  const auto landOn = [&](std::int32_t record) {
    if (record > 0) {
      Go(record);
    } else {
      // Nothing found: end of file, past the last visible record. A table
      // with no visible record is there already after GoBottom.
      GoBottom();
      if (area.recordCount > 0 && !area.eof) Skip(1);
    }
    if (scanError != 0 && EngineErrorCode() == 0) SetEngineErrorCode(scanError);
  };
  for (std::int32_t record = std::max(start, 1); record <= last; ++record) {
    std::string stored = Peek(field, record);
    bool match = false;
    if (memo) {
      match = MemoContains(search, stored);
    } else {
      // Compared as ANSI text, as the search text and the case rules are.
      if (area.oem) OemToAnsiBuffer(reinterpret_cast<unsigned char*>(stored.data()), stored.size());
      if (!state.exact && stored.size() > search.size()) stored.resize(search.size());
      if (!state.caseSensitive) stored = Upper(stored);
      match = stored == search;
    }
    if (scanError == 0) scanError = EngineErrorCode();
    if (match) {
      landOn(record);
      return;
    }
  }
  landOn(0);
  state.field = 0;
}

bool LocateField(const std::string& fieldText, const LocateValue& value, bool caseInsensitive,
                 bool exact, std::int32_t start) {
  ClearEngineError();
  std::string name = AllTrim(fieldText);
  name.erase(std::min(name.find(' '), name.size()));
  if (name.empty()) return false;
  if (caseInsensitive) name += " NOCASE";
  if (exact) name += " EXACT";
  LocateState& state = ProcessState().locate;
  state.searchText.clear();
  const int field = ParseLocateArgs(name);
  if (field == 0) {
    state.field = 0;
    return false;
  }
  const WorkArea& area = CurrentArea();
  state.searchText = StoredForm(area.fields[static_cast<std::size_t>(field - 1)], value, exact);
  LocateScan(start, field, true);
  ScanOnToVisible();
  return !area.eof;
}

bool Continue() {
  ClearEngineError();
  if (ProcessState().locate.field == 0) {
    SetError(kInvalidParameter, "Call to CONTINUE not preceeded by call to LOCATE. [Continue]");
    return false;
  }
  LocateScan(CurrentArea().recordNumber + 1, ProcessState().locate.field, false);
  ScanOnToVisible();
  return !CurrentArea().eof;
}

}  // namespace pw
