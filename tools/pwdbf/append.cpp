// pwdbf append: adds records given as JSON objects, through the engine's
// Append under the table's append lock, keeping the production index's keys
// in step.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "common/error_state.h"
#include "engine/table/append.h"
#include "engine/table/field_info.h"
#include "engine/table/lock.h"
#include "engine/table/record_buffer.h"
#include "engine/table/record_image.h"
#include "engine/table/work_areas.h"
#include "engine_session.h"
#include "memo_text.h"
#include "stored_field.h"
#include "subcommand.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

// A record ready to be stored: its raw bytes with memo fields left blank,
// and the memo texts (Windows-1252) that go in first.
struct PreparedRecord {
  std::string raw;
  std::vector<std::pair<std::size_t, std::string>> memos;  // field position, text
};

std::string ReadInput(const std::string& path) {
  if (path == "-") {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ToolError(path, "cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw ToolError(path, "cannot be read");
  return text.str();
}

// A JSON array of objects, one object, or one object per line.
std::vector<Json> ParseRecords(const std::string& path, const std::string& text) {
  Json whole = Json::parse(text, nullptr, false);
  if (!whole.is_discarded()) {
    if (whole.is_array()) return std::vector<Json>(whole.begin(), whole.end());
    return {whole};
  }
  std::vector<Json> records;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    Json record = Json::parse(line, nullptr, false);
    if (record.is_discarded()) {
      throw ToolError(path, "line " + std::to_string(number) + " is not JSON");
    }
    records.push_back(std::move(record));
  }
  return records;
}

PreparedRecord Prepare(const Json& object) {
  const WorkArea& area = CurrentArea();
  if (!object.is_object()) throw ToolError("", "a JSON object expected");
  PreparedRecord record{std::string(area.recordLength, ' '), {}};
  for (const auto& [key, value] : object.items()) {
    if (key == "_recno") continue;
    if (key == "_deleted") {
      if (!value.is_boolean()) throw ToolError("", "_deleted: true or false expected");
      record.raw[0] = value.get<bool>() ? '*' : ' ';
      continue;
    }
    std::string name;
    const int number = Cp1252FromUtf8(key, &name) ? FieldNo(name) : 0;
    if (number == 0) throw ToolError("", "no field named " + key);
    const std::size_t position = static_cast<std::size_t>(number - 1);
    const FieldDef& field = area.fields[position];
    if (field.type == 'M') {
      if (!value.is_string() && !value.is_null()) {
        throw ToolError("", "field " + key + ": a string or null expected");
      }
      std::string text;
      if (value.is_string() && !Cp1252FromUtf8(value.get<std::string>(), &text)) {
        throw ToolError("", "field " + key + ": text has characters Windows-1252 cannot store");
      }
      record.memos.emplace_back(position, std::move(text));
      continue;
    }
    record.raw.replace(field.offset, field.length, EncodeStored(field, value));
  }
  return record;
}

void Store(const std::string& table, const PreparedRecord& record) {
  WorkArea& area = CurrentArea();
  ClearRecord();
  area.raw.assign(record.raw.begin(), record.raw.end());
  for (const auto& [position, text] : record.memos) {
    const FieldDef& field = area.fields[position];
    const std::string stored = EncodeStored(field, nullptr, WriteMemoText(table, text));
    std::copy(stored.begin(), stored.end(), area.raw.begin() + field.offset);
  }
  RawToImage(area);
  ClearEngineError();
  if (!Append()) ThrowEngineError(table);
}

int RunAppend(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  const auto input = arguments.Value("json");
  if (!input) throw ToolError("", "--json FILE is required");
  const std::vector<Json> objects = ParseRecords(*input, ReadInput(*input));
  OpenTable open(table, OpenPurpose::kWrite, arguments.Has("ansi"));
  // Every record is checked before the first one is stored.
  std::vector<PreparedRecord> records;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    try {
      records.push_back(Prepare(objects[i]));
    } catch (const ToolError& error) {
      throw ToolError(*input, "record " + std::to_string(i + 1) + ": " + error.what());
    }
  }
  if (!CurrentArea().exclusive) {
    ClearEngineError();
    if (!ALock()) {
      throw ToolError(table,
                      "the append lock is held by another program (" + EngineErrorLine() + ")");
    }
  }
  for (const PreparedRecord& record : records) Store(table, record);
  Unlock();
  open.Close();
  std::cout << "appended " << records.size() << " records to " << table << "\n";
  return 0;
}

}  // namespace

Subcommand AppendCommand() {
  return {"append",
          "append TABLE --json FILE [--ansi]",
          "Appends records given as JSON objects (a JSON array, one object, or one\n"
          "object per line; FILE \"-\" reads standard input), with the values dump\n"
          "writes: \"_deleted\" marks a record deleted, \"_recno\" is ignored, fields not\n"
          "given stay blank (a null or missing number is stored as 0 and a logical as\n"
          "false: the record image has no blank for them). Every record is checked\n"
          "before the first is stored. The append lock of the table is taken, and the\n"
          "production index is kept up to date.\n\n"
          "  --json FILE  the records\n"
          "  --ansi       the table stores Windows-1252 text, not OEM (code page 850)\n",
          {{"json", true}, {"ansi", false}},
          1,
          1,
          RunAppend};
}

}  // namespace pw::pwdbf
