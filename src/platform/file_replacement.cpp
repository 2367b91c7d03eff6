#include "platform/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "platform/os_error.h"

namespace pw::platform {
namespace {

int LastError(bool writing) {
  return OsErrorFromErrno(errno, writing);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder's entries (a rename into it) durable.
int SyncFolder(const std::string& folder) {
  int fd;
  do {
    fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return LastError(false);
  int result;
  do {
    result = fsync(fd);
  } while (result < 0 && errno == EINTR);
  const int code = result == 0 ? 0 : LastError(true);
  close(fd);
  return code;
}

// Gives the twin the old file's permission bits, owner and group.
int CopyOwnership(const struct stat& old, int fd) {
  if (fchmod(fd, old.st_mode & 07777) != 0) return LastError(true);
  struct stat fresh {};
  if (fstat(fd, &fresh) != 0) return LastError(false);
  if ((fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) &&
      fchown(fd, old.st_uid, old.st_gid) != 0) {
    return LastError(true);
  }
  return 0;
}

}  // namespace

FileReplacement::~FileReplacement() {
  // Best effort: a twin that cannot be removed is removed by the next Begin.
  if (!twinPath_.empty() && !committed_) unlink(twinPath_.c_str());
}

int FileReplacement::Begin(const std::string& path, const std::string& suffix, File& twin) {
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                         &std::free);
  if (real == nullptr) return LastError(false);
  target_ = real.get();
  struct stat old {};
  if (stat(target_.c_str(), &old) != 0) return LastError(false);
  const std::string twinPath = target_ + suffix;
  if (unlink(twinPath.c_str()) != 0 && errno != ENOENT) return LastError(true);
  twinPath_ = twinPath;
  if (int code = twin.Create(twinPath_, Sharing::Exclusive); code != 0) return code;
  return CopyOwnership(old, twin.Descriptor());
}

int FileReplacement::Commit(File& twin) {
  if (int code = twin.Flush(); code != 0) return code;
  if (int code = twin.RenameTo(target_); code != 0) return code;
  committed_ = true;
  return SyncFolder(FolderOf(target_));
}

}  // namespace pw::platform
