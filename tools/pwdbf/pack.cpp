// pwdbf pack: removes the records marked deleted through the engine's Pack,
// which also packs the memo file and rebuilds the open production index.
#include <iostream>

#include "common/error_state.h"
#include "engine/table/pack.h"
#include "engine/table/position_queries.h"
#include "engine_session.h"
#include "subcommand.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

int RunPack(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  OpenTable open(table, OpenPurpose::kExclusive, arguments.Has("ansi"));
  const std::int32_t before = RecCount();
  ClearEngineError();
  if (!Pack()) {
    if (EngineErrorCode() == 0) throw ToolError(table, "in use by another program");
    ThrowEngineError(table);
  }
  const std::int32_t after = RecCount();
  open.Close();
  std::cout << "packed " << table << ": " << after << " records kept, " << before - after
            << " removed\n";
  return 0;
}

}  // namespace

Subcommand PackCommand() {
  return {"pack",
          "pack TABLE [--ansi]",
          "Removes every record marked deleted, packs the memo file and rebuilds the\n"
          "production index. The table is opened exclusively: while another program\n"
          "has it open, pack refuses and changes nothing.\n\n"
          "  --ansi  the table stores Windows-1252 text, not OEM (code page 850)\n",
          {{"ansi", false}},
          1,
          1,
          RunPack};
}

}  // namespace pw::pwdbf
