// pwdbf create: a new table from a field list, and optionally its
// production index.
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "common/code_page.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "definitions.h"
#include "engine/table/create_dbf.h"
#include "engine_session.h"
#include "platform/file.h"
#include "platform/file_lookup.h"
#include "platform/os_error.h"
#include "subcommand.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

namespace fs = std::filesystem;

// The record file's path: the name as given, with ".dbf" when it has no
// extension, or the existing file whose name matches in any case.
fs::path TargetPath(const std::string& table) {
  return fs::absolute(platform::ResolvePathNoCase(HasExtension(table) ? table : table + ".dbf"));
}

// Replacing a table that another program has open would take it away from
// under that program.
void RefuseWhileInUse(const fs::path& target, const std::string& table) {
  platform::File file;
  if (file.Open(target.string(), platform::Access::Read, platform::Sharing::Exclusive) ==
      platform::kSharingViolation) {
    throw ToolError(table, "in use by another program, not replaced");
  }
}

// A folder beside the table where the new files are made and checked
// before any of them replaces an old one; removed with what is left in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const fs::path& beside) {
    std::string pattern = (beside / ".pwdbf-create-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw ToolError(beside.string(),
                      std::string("cannot make a folder: ") + std::strerror(errno));
    }
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Makes the table (and its index) in `draft`; throws before anything
// outside the scratch folder is touched.
void MakeDraft(const std::string& draft, const std::string& table,
               const std::vector<FieldDef>& fields, const std::vector<TagDescription>& tags,
               bool ansi) {
  ClearEngineError();
  if (!CreateDBF(draft, static_cast<int>(fields.size()), fields, !ansi)) ThrowEngineError(table);
  if (tags.empty()) return;
  OpenTable open(draft, OpenPurpose::kExclusive, ansi);
  open.MakeProductionIndex(tags, table);
  open.Close();
}

// Moves the new files over the old ones, the record file first (once it
// is replaced an old memo or index file belongs to no table), and removes
// the old table's memo and index files that the new one does not have.
void MoveIntoPlace(const fs::path& scratch, const fs::path& target) {
  const fs::path folder = target.parent_path();
  std::vector<std::string> made;
  for (const fs::directory_entry& entry : fs::directory_iterator(scratch)) {
    made.push_back(entry.path().filename().string());
  }
  std::stable_partition(made.begin(), made.end(), [&](const std::string& name) {
    return name == target.filename().string();
  });
  std::vector<std::string> replaced;
  for (const std::string& name : made) {
    const std::string to = platform::ResolvePathNoCase((folder / name).string());
    if (std::rename((scratch / name).c_str(), to.c_str()) != 0) {
      throw ToolError(to, std::string("cannot be replaced: ") + std::strerror(errno));
    }
    replaced.push_back(Upper(FileNameOf(to)));
  }
  const std::string base = RemoveExt(target.string());
  for (const char* extension : {".dbt", ".fpt", ".mdx"}) {
    const std::string old = platform::ResolvePathNoCase(base + extension);
    const bool isNew =
        std::find(replaced.begin(), replaced.end(), Upper(FileNameOf(old))) != replaced.end();
    if (!isNew && platform::FileExists(old) && std::remove(old.c_str()) != 0) {
      throw ToolError(old, std::string("belongs to the replaced table and cannot be removed: ") +
                               std::strerror(errno));
    }
  }
}

int RunCreate(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  if (!arguments.Has("fields")) throw ToolError("", "--fields is required");
  const auto fields = ParseFieldList(*arguments.Value("fields"));
  const auto tags = ParseTagList(arguments.Value("index").value_or(""));
  if (fields.empty()) throw ToolError("", "--fields names no field");
  const fs::path target = TargetPath(table);
  RefuseWhileInUse(target, table);
  const ScratchFolder scratch(target.parent_path());
  MakeDraft((scratch.path() / target.filename()).string(), table, fields, tags,
            arguments.Has("ansi"));
  MoveIntoPlace(scratch.path(), target);
  std::cout << "created " << table << ": " << fields.size() << " fields, " << tags.size()
            << " tags\n";
  return 0;
}

}  // namespace

Subcommand CreateCommand() {
  return {"create",
          "create TABLE --fields \"NAME,C,20,0;...\" [--index \"TAG,F,F,expr;...\"] [--ansi]",
          "Creates an empty table (and its memo file when it has memo fields),\n"
          "replacing a table of that name with its memo and index files. Everything\n"
          "is made and checked beside the table first: a definition or an index\n"
          "expression that fails leaves the old files as they were.\n\n"
          "  --fields LIST  field definitions NAME,TYPE,LENGTH,DECIMALS separated by\n"
          "                 \";\"; TYPE is C, N, F, D, L or M; D, L and M may leave out\n"
          "                 their length, every type its decimals\n"
          "  --index LIST   tags of the production index, NAME,DESCENDING,UNIQUE,KEY\n"
          "                 separated by \";\" (DESCENDING and UNIQUE are T or F); the\n"
          "                 key may end in \" FOR condition\"\n"
          "  --ansi         the table stores Windows-1252 text (language byte 0x03),\n"
          "                 not code page 850 (0x02); the index keys follow\n",
          {{"fields", true}, {"index", true}, {"ansi", false}},
          1,
          1,
          RunCreate};
}

}  // namespace pw::pwdbf
