// pwdbf reindex: rebuilds every tag of the production index from the
// records through the engine's Reindex.
#include <iostream>

#include "common/error_state.h"
#include "engine/index/reindex.h"
#include "engine/table/production_index_flag.h"
#include "engine_session.h"
#include "subcommand.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

int RunReindex(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  OpenTable open(table, OpenPurpose::kExclusive, arguments.Has("ansi"));
  const std::string indexPath = open.ProductionIndexPath();
  if (indexPath.empty()) throw ToolError(table, "has no production index");
  // A table whose flag is set has its index open already.
  if (!ProductionIndexFlag()) open.OpenProductionIndex();
  ClearEngineError();
  if (!Reindex()) ThrowEngineError(indexPath);
  open.Close();
  std::cout << "reindexed " << indexPath << "\n";
  return 0;
}

}  // namespace

Subcommand ReindexCommand() {
  return {"reindex",
          "reindex TABLE [--ansi]",
          "Rebuilds every tag of the table's production index from the records. The\n"
          "table is opened exclusively: while another program has it open, reindex\n"
          "refuses and changes nothing.\n\n"
          "  --ansi  the table stores Windows-1252 text, not OEM (code page 850)\n",
          {{"ansi", false}},
          1,
          1,
          RunReindex};
}

}  // namespace pw::pwdbf
