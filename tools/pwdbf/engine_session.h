// The engine as the tool uses it: units registered, errors kept in the
// error state (never dispatched), the date settings of the date options
// (date_options.h), and one table open in work area 1 for the length of a
// subcommand.
#pragma once

#include <string>
#include <vector>

#include "engine/index/key_collation.h"
#include "engine/index/tag_description.h"

namespace pw::pwdbf {

enum class OpenPurpose {
  kRead,       // shared, read-only: nothing is written to the table
  kWrite,      // shared, read-write: writers take the engine's locks
  kExclusive,  // exclusive: refused while another program has the table open
  kRebuild,    // exclusive, to make the production index again: it may be missing
};

// Registers the memo, expression and index units and sets the engine up
// for the tool. Called once by main.
void StartEngineSession();

// Opens `path` in work area 1 and, for writing purposes, the production
// index, so that every change keeps its keys in step; a table whose flag
// names a production index that is missing is refused for writing (its
// keys would fall behind unseen). `ansi`: the table stores Windows-1252
// text, not OEM. A read-only open of a table whose memo pack was
// interrupted says on standard error that a read-write open completes it.
// Throws ToolError.
class OpenTable {
 public:
  OpenTable(const std::string& path, OpenPurpose purpose, bool ansi = false);
  ~OpenTable();
  OpenTable(const OpenTable&) = delete;
  OpenTable& operator=(const OpenTable&) = delete;

  const std::string& path() const { return path_; }
  // Opens the production index; throws when it is missing or unreadable.
  void OpenProductionIndex();
  // Makes the production index with `tags` from the records and sets the
  // table's flag; a failure is reported for `name`.
  void MakeProductionIndex(const std::vector<TagDescription>& tags, const std::string& name);
  // The production index's path; empty when no such file exists.
  std::string ProductionIndexPath() const;
  // Closes the table; throws when the close reported an error.
  void Close();

 private:
  // The production index opened or its absence judged, and an interrupted
  // memo pack named, as the purpose demands.
  void AfterOpen(OpenPurpose purpose);

  std::string path_;
  bool open_ = false;
};

// The order of C keys under the language driver of the open table.
KeyCollation TableCollation();

}  // namespace pw::pwdbf
