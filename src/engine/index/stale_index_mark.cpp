#include "engine/index/stale_index_mark.h"

#include <filesystem>

#include "platform/file.h"
#include "platform/file_lookup.h"
#include "platform/os_error.h"

namespace pw {

std::string StaleMarkPath(const std::string& indexPath) {
  return indexPath + ".$$R";
}

bool IndexMarkedStale(const std::string& indexPath) {
  return platform::FileExists(StaleMarkPath(indexPath));
}

int MarkIndexStale(const std::string& indexPath) {
  platform::File mark;
  int code = mark.Create(StaleMarkPath(indexPath), platform::Sharing::Shared);
  if (code == 0) code = mark.Flush();
  if (const int closed = mark.Close(); code == 0) code = closed;
  return code;
}

int ClearStaleMark(const std::string& indexPath) {
  std::error_code error;
  std::filesystem::remove(StaleMarkPath(indexPath), error);
  return error ? platform::OsErrorFromErrno(error.value(), true) : 0;
}

}  // namespace pw
