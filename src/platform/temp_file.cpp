#include "platform/temp_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/os_error.h"

namespace pw::platform {

std::string TempFolder() {
  const char* value = getenv("TMPDIR");
  std::string folder = value != nullptr && *value != '\0' ? value : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

int CreateTempFile(const std::string& prefix, std::string* path) {
  path->clear();
  const std::string folder = TempFolder();
  const std::string pattern = (folder == "/" ? "" : folder) + "/" + prefix + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? kPathNotFound : OsErrorFromErrno(errno, true);
  if (close(fd) != 0 && errno != EINTR) {
    const int code = OsErrorFromErrno(errno, true);
    unlink(name.data());
    return code;
  }
  *path = name.data();
  return 0;
}

}  // namespace pw::platform
