#include "platform/disk_space.h"

#include <sys/statvfs.h>

#include <cerrno>

#include "platform/os_error.h"

namespace pw::platform {

int FreeDiskBytes(const std::string& path, std::uint64_t* bytes) {
  *bytes = 0;
  struct statvfs info {};
  int result;
  do {
    result = statvfs(path.empty() ? "." : path.c_str(), &info);
  } while (result != 0 && errno == EINTR);
  if (result != 0) return OsErrorFromErrno(errno, false);
  *bytes = static_cast<std::uint64_t>(info.f_bavail) * static_cast<std::uint64_t>(info.f_frsize);
  return 0;
}

}  // namespace pw::platform
