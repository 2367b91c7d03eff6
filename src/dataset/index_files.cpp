#include "dataset/index_files.h"

#include "common/file_routines.h"
#include "common/path_names.h"
#include "dataset/engine_path.h"
#include "engine/index/index_semaphore.h"

namespace pw {

bool RemoveIndexFiles(const QString& tablePath, QString* failure) {
  const std::string table = ToEnginePath(tablePath);
  for (const std::string& file : {ForceExt(table, "mdx"), SemaphoreFileName(table)}) {
    // Each erase takes the best match in any case; "notes.mdx" and
    // "NOTES.MDX" may both be there.
    while (FileIsPresent(file)) {
      if (EraseFile(file) != 0) {
        *failure = FromEnginePath(file);
        return false;
      }
    }
  }
  return true;
}

}  // namespace pw
