// The engine as the tool uses it: units registered, errors kept in the
// error state (never dispatched), the date settings of the date options
// (date_options.h), and one table open in work area 1 for the length of a
// subcommand.
#pragma once

#include <string>

namespace pw::pwdbf {

enum class OpenPurpose {
  kRead,       // shared, read-only: nothing is written to the table
  kWrite,      // shared, read-write: writers take the engine's locks
  kExclusive,  // exclusive: refused while another program has the table open
};

// Registers the memo, expression and index units and sets the engine up
// for the tool. Called once by main.
void StartEngineSession();

// Opens `path` in work area 1 and, for writing purposes, the production
// index when there is one, so that every change keeps its keys in step.
// `ansi`: the table stores Windows-1252 text, not OEM. Throws ToolError.
class OpenTable {
 public:
  OpenTable(const std::string& path, OpenPurpose purpose, bool ansi = false);
  ~OpenTable();
  OpenTable(const OpenTable&) = delete;
  OpenTable& operator=(const OpenTable&) = delete;

  const std::string& path() const { return path_; }
  // Opens the production index; throws when it is missing or unreadable.
  void OpenProductionIndex();
  // The production index's path; empty when no such file exists.
  std::string ProductionIndexPath() const;
  // Closes the table; throws when the close reported an error.
  void Close();

 private:
  std::string path_;
  bool open_ = false;
};

}  // namespace pw::pwdbf
