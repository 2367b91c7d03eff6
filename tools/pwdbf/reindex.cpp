// pwdbf reindex: rebuilds every tag of the production index from the
// records through the engine's Reindex.
#include <iostream>

#include "common/error_state.h"
#include "definitions.h"
#include "engine/index/reindex.h"
#include "engine/table/production_index_flag.h"
#include "engine_session.h"
#include "subcommand.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

int RunReindex(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  const auto tags = ParseTagList(arguments.Value("index").value_or(""));
  OpenTable open(table, OpenPurpose::kRebuild, arguments.Has("ansi"));
  const std::string indexPath = open.ProductionIndexPath();
  if (!tags.empty()) {
    if (!indexPath.empty()) {
      throw ToolError(table, "has a production index; reindex rebuilds its tags without --index");
    }
    open.MakeProductionIndex(tags, table);
    open.Close();
    std::cout << "made the production index of " << table << ": " << tags.size() << " tags\n";
    return 0;
  }
  if (indexPath.empty()) {
    throw ToolError(table, ProductionIndexFlag()
                               ? "its production index is missing; give its tags with --index"
                               : "has no production index");
  }
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
          "reindex TABLE [--index \"TAG,F,F,expr;...\"] [--ansi]",
          "Rebuilds every tag of the table's production index from the records. The\n"
          "table is opened exclusively: while another program has it open, reindex\n"
          "refuses and changes nothing. The header's record count is set to the\n"
          "records in the file.\n\n"
          "  --index LIST  makes a production index that is missing (or was never\n"
          "                made) with these tags, as create takes them\n"
          "  --ansi        the table stores Windows-1252 text, not OEM (code page 850)\n",
          {{"index", true}, {"ansi", false}},
          1,
          1,
          RunReindex};
}

}  // namespace pw::pwdbf
