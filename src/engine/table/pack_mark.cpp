#include "engine/table/pack_mark.h"

#include <filesystem>

#include "platform/file.h"
#include "platform/file_lookup.h"
#include "platform/os_error.h"

namespace pw {

std::string PackMarkPath(const std::string& tablePath) {
  return tablePath + ".$$R";
}

bool PackMarked(const std::string& tablePath) {
  return platform::FileExists(PackMarkPath(tablePath));
}

int MarkPackBegun(const std::string& tablePath) {
  platform::File mark;
  int code = mark.Create(PackMarkPath(tablePath), platform::Sharing::Shared);
  if (code == 0) code = mark.Flush();
  if (const int closed = mark.Close(); code == 0) code = closed;
  return code;
}

int ClearPackMark(const std::string& tablePath) {
  std::error_code error;
  std::filesystem::remove(PackMarkPath(tablePath), error);
  return error ? platform::OsErrorFromErrno(error.value(), true) : 0;
}

}  // namespace pw
