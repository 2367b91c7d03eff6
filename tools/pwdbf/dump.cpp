// pwdbf dump: every record as JSON lines or CSV, in record order or in the
// key order of a tag, through the engine's own navigation.
#include <iostream>

#include "common/error_state.h"
#include "engine/index/index_order.h"
#include "engine/table/go_top.h"
#include "engine/table/position_queries.h"
#include "engine/table/set_filter_to.h"
#include "engine/table/set_ignore_del.h"
#include "engine/table/skip.h"
#include "engine_session.h"
#include "record_json.h"
#include "subcommand.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

// RFC 4180 quoting: a value with a comma, quote, line break or blanks at
// either end is quoted, its quotes doubled.
std::string CsvCell(const Json& value) {
  if (value.is_null()) return "";
  if (!value.is_string()) return value.dump();
  const std::string text = value.get<std::string>();
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string cell = "\"";
  for (char c : text) cell += c == '"' ? std::string("\"\"") : std::string(1, c);
  return cell + "\"";
}

void WriteCsvLine(const Json& record, bool header) {
  bool first = true;
  for (const auto& [name, value] : record.items()) {
    std::cout << (first ? "" : ",") << (header ? CsvCell(name) : CsvCell(value));
    first = false;
  }
  std::cout << "\r\n";
}

void ThrowOnEngineError(const std::string& table) {
  if (EngineErrorCode() != 0) ThrowEngineError(table);
}

int RunDump(const Arguments& arguments) {
  const std::string format = arguments.Value("format").value_or("json");
  if (format != "json" && format != "csv") {
    throw ToolError("", "unknown format " + format + " (json or csv)");
  }
  const std::string& table = arguments.Operands()[0];
  OpenTable open(table, OpenPurpose::kRead, arguments.Has("ansi"));
  const std::vector<std::size_t> fields = ChooseFields(table, arguments.Value("fields"));
  if (const auto tag = arguments.Value("order")) {
    if (open.ProductionIndexPath().empty()) throw ToolError(table, "has no production index");
    open.OpenProductionIndex();
    std::string name;
    if (!Cp1252FromUtf8(*tag, &name) || !SetOrderToTag(name)) {
      throw ToolError(table, "no tag " + *tag + " (" + EngineErrorLine() + ")");
    }
  }
  if (const auto filter = arguments.Value("filter")) {
    std::string condition;
    if (!Cp1252FromUtf8(*filter, &condition)) throw ToolError("", "filter is not Windows-1252");
    if (!Set_Filter_To(condition)) ThrowEngineError(table);
  }
  if (arguments.Has("live")) SetIgnoreDel(true);
  ClearEngineError();
  GoTop();
  ThrowOnEngineError(table);
  bool first = true;
  while (!dEOF()) {
    const Json record = CurrentRecordJson(table, fields);
    if (format == "json") {
      std::cout << record.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
    } else {
      if (first) WriteCsvLine(record, true);
      WriteCsvLine(record, false);
    }
    first = false;
    Skip(1);
    ThrowOnEngineError(table);
  }
  // An empty result still gets its header line: the blank record names the fields.
  if (format == "csv" && first) WriteCsvLine(CurrentRecordJson(table, fields), true);
  open.Close();
  return 0;
}

}  // namespace

Subcommand DumpCommand() {
  return {"dump",
          "dump TABLE [--format json|csv] [--live] [--order TAG] [--filter EXPR] [--fields A,B] "
          "[--ansi]",
          "Writes every record, deleted ones included, in record order.\n"
          "JSON: one object per line, {\"_recno\": 1, \"_deleted\": false, \"NAME\": ...}.\n"
          "C text without trailing blanks; N and F numbers (null when blank); L true/false\n"
          "(null when neither); D \"YYYY-MM-DD\" (null when blank); M the memo text.\n"
          "Text is converted to UTF-8. The table is opened read-only.\n\n"
          "  --format json|csv  output format (default json); CSV has a header line\n"
          "  --live             leave out records marked deleted\n"
          "  --order TAG        key order of the production index tag TAG (records\n"
          "                     outside its FOR condition are left out)\n"
          "  --filter EXPR      only records for which the expression is true\n"
          "  --fields A,B       only these fields\n"
          "  --ansi             the table stores Windows-1252 text, not OEM (code page 850)\n",
          {{"format", true},
           {"live", false},
           {"order", true},
           {"filter", true},
           {"fields", true},
           {"ansi", false}},
          1,
          1,
          RunDump};
}

}  // namespace pw::pwdbf
