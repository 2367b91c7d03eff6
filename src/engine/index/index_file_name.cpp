#include "engine/index/index_file_name.h"

#include "common/code_page.h"
#include "common/path_names.h"
#include "platform/file_lookup.h"

namespace pw {

std::string IndexFilePath(const WorkArea& area, const std::string& name) {
  const std::string& tablePath = area.file.Path();
  const PathPieces table = SplitPath(tablePath);
  // "notes.dbf" and "Notes.dbf" get "notes.mdx" and "Notes.mdx".
  const bool lowerCase = !table.extension.empty() && Upper(table.extension) != table.extension;
  const std::string extension = lowerCase ? "mdx" : "MDX";
  std::string path;
  if (name.empty()) {
    path = ForceExt(tablePath, extension);
  } else {
    path = name.find('/') == std::string::npos ? table.folder + name : name;
    path = DefaultExt(path, extension);
  }
  return platform::ResolvePathNoCase(path);
}

}  // namespace pw
