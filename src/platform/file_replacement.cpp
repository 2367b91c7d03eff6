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

// The real path that `path` names: an existing file with its links
// followed, or for a new file its name in the real folder. `*exists` tells
// which.
int RealTarget(const std::string& path, std::string* target, bool* exists) {
  struct stat entry {};
  *exists = lstat(path.c_str(), &entry) == 0;
  if (!*exists && errno != ENOENT) return LastError(false);
  const std::size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (!*exists && name.empty()) return kPathNotFound;
  const std::unique_ptr<char, decltype(&std::free)> real(
      realpath((*exists ? path : FolderOf(path)).c_str(), nullptr), &std::free);
  if (real == nullptr) return *exists ? LastError(false) : kPathNotFound;
  *target = real.get();
  if (!*exists) *target += (target->back() == '/' ? "" : "/") + name;
  return 0;
}

// Removes a twin left by a replacement that never committed. One that
// another open still holds belongs to a replacement in progress: 32, and it
// stays. The name is removed only while it still names the file held, so a
// twin made meanwhile by someone else is never taken.
int RemoveStaleTwin(const std::string& path) {
  File stale;
  const int code = stale.Open(path, Access::Read, Sharing::Exclusive);
  if (code == kFileNotFound || code == kPathNotFound) return 0;
  if (code != 0) return code;
  struct stat held {};
  struct stat named {};
  if (fstat(stale.Descriptor(), &held) != 0) return LastError(false);
  if (stat(path.c_str(), &named) != 0) return errno == ENOENT ? 0 : LastError(false);
  if (held.st_dev != named.st_dev || held.st_ino != named.st_ino) return 0;
  if (unlink(path.c_str()) != 0 && errno != ENOENT) return LastError(true);
  return stale.Close();
}

}  // namespace

FileReplacement::~FileReplacement() {
  // Best effort: a twin that cannot be removed is removed by the next Begin.
  if (!twinPath_.empty() && !committed_) unlink(twinPath_.c_str());
}

int FileReplacement::Begin(const std::string& path, const std::string& suffix, File& twin) {
  bool exists = false;
  if (int code = RealTarget(path, &target_, &exists); code != 0) return code;
  struct stat old {};
  if (exists && stat(target_.c_str(), &old) != 0) return LastError(false);
  const std::string twinPath = target_ + suffix;
  if (int code = RemoveStaleTwin(twinPath); code != 0) return code;
  twinPath_ = twinPath;
  if (int code = twin.Create(twinPath_, Sharing::Exclusive); code != 0) {
    // Held by a replacement that began in between: it is not ours to remove.
    if (code == kSharingViolation) twinPath_.clear();
    return code;
  }
  return exists ? CopyOwnership(old, twin.Descriptor()) : 0;
}

int FileReplacement::Commit(File& twin) {
  if (int code = twin.Flush(); code != 0) return code;
  if (int code = twin.RenameTo(target_); code != 0) return code;
  committed_ = true;
  return SyncFolder(FolderOf(target_));
}

}  // namespace pw::platform
