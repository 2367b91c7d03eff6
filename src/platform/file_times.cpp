#include "platform/file_times.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/os_error.h"

namespace pw::platform {

int FileModificationTime(const std::string& path, std::time_t* t) {
  *t = 0;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return OsErrorFromErrno(errno, false);
  *t = info.st_mtime;
  return 0;
}

int FullPath(const std::string& name, std::string* full) {
  full->clear();
  std::filesystem::path path(name);
  if (!path.is_absolute()) {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error) return OsErrorFromErrno(error.value(), false);
    path = current / path;
  }
  std::string normal = path.lexically_normal().string();
  if (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  *full = normal;
  return 0;
}

}  // namespace pw::platform
