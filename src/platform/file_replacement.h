// Replacing a file's contents as a whole, so that a crash at any instant
// leaves under its name either the complete old file or the complete new one.
//
// The new contents are written to a twin, "<real name><suffix>" in the same
// folder, created with the old file's mode and owner and opened exclusively
// by the caller's File. Commit makes the twin durable (fsync), renames it
// over the old file, which is atomic within one file system, and makes the
// rename durable (fsync of the folder). Until then the old file is untouched;
// a file that does not exist yet appears complete or not at all. A twin left
// behind by a crash is removed by the next Begin; one that another open
// still holds (a replacement in progress elsewhere) makes Begin fail with 32.
//
// The name replaced is the real file: a symbolic link is followed, so the
// link stays a link. After the commit the twin's File has the real file's
// name as its Path().
#pragma once

#include <string>

#include "platform/file.h"

namespace pw::platform {

class FileReplacement {
 public:
  FileReplacement() = default;
  // Removes the twin unless it was committed.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Creates the twin of the file `path` (existing, or to be made) and opens
  // it in `twin` read-write and exclusively. Returns 0 or an os code.
  int Begin(const std::string& path, const std::string& suffix, File& twin);
  // Flushes `twin` (opened by Begin) and renames it over the old file.
  // Returns 0 or an os code; Committed() tells whether the rename happened
  // (a failed folder sync after it still reports its code).
  int Commit(File& twin);
  bool Committed() const { return committed_; }

  // The real path of the file being replaced.
  const std::string& Target() const { return target_; }

 private:
  std::string target_;
  std::string twinPath_;
  bool committed_ = false;
};

}  // namespace pw::platform
