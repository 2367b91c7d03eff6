#include "record_json.h"

#include <algorithm>

#include "arguments.h"
#include "engine/table/field_info.h"
#include "engine/table/position_queries.h"
#include "engine/table/work_areas.h"
#include "memo_text.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {

std::vector<std::size_t> ChooseFields(const std::string& table,
                                      const std::optional<std::string>& list) {
  const std::size_t count = CurrentArea().fields.size();
  std::vector<std::size_t> chosen;
  if (!list) {
    for (std::size_t i = 0; i < count; ++i) chosen.push_back(i);
    return chosen;
  }
  for (const std::string& name : SplitOutsideQuotes(*list, ',')) {
    std::string stored;
    const int number = Cp1252FromUtf8(name, &stored) ? FieldNo(stored) : 0;
    if (number == 0) throw ToolError(table, "no field named " + name);
    chosen.push_back(static_cast<std::size_t>(number - 1));
  }
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  return chosen;
}

Json CurrentRecordJson(const std::string& table, const std::vector<std::size_t>& fields) {
  const WorkArea& area = CurrentArea();
  Json record = Json::object();
  record["_recno"] = RecNo();
  record["_deleted"] = !area.raw.empty() && area.raw[0] == '*';
  for (std::size_t i : fields) {
    const FieldDef& field = area.fields[i];
    const std::string_view stored(reinterpret_cast<const char*>(area.raw.data()) + field.offset,
                                  field.length);
    DecodedField decoded = DecodeStored(field, stored);
    Json& value = record[Utf8FromCp1252(field.name)];
    if (field.type == 'M') {
      value = decoded.state == StoredState::kValue
                  ? Utf8FromCp1252(ReadMemoText(table, decoded.value.get<std::int32_t>()))
                  : "";
    } else {
      value = std::move(decoded.value);
    }
  }
  return record;
}

}  // namespace pw::pwdbf
