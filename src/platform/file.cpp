#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <utility>

#include "platform/os_error.h"

namespace pw::platform {
namespace {

static_assert(sizeof(off_t) >= 8, "64-bit file offsets are required");

// The byte whose OFD lock stands for the sharing mode: far beyond every lock
// region the engine uses (those are 32-bit offsets).
constexpr std::uint64_t kSharingByte = std::uint64_t{1} << 62;

int LastError(bool writing) {
  return OsErrorFromErrno(errno, writing);
}

// Whether [offset, offset + length) lies wholly below the sharing byte.
bool BelowSharingByte(std::uint64_t offset, std::uint64_t length) {
  return offset < kSharingByte && length <= kSharingByte - offset;
}

// Whether [offset, offset + count) is addressable as an off_t.
bool Addressable(std::uint64_t offset, std::size_t count) {
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());
  return offset <= kMax && count <= kMax - offset;
}

struct flock RangeLock(short type, std::uint64_t offset, std::uint64_t length) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = static_cast<off_t>(offset);
  lock.l_len = static_cast<off_t>(length);
  lock.l_pid = 0;  // required by F_OFD_* requests
  return lock;
}

// Applies an OFD lock without waiting; a conflict gives `conflictCode`.
int ApplyLock(int fd, struct flock lock, int conflictCode) {
  int result;
  do {
    result = fcntl(fd, F_OFD_SETLK, &lock);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return 0;
  if (errno == EAGAIN || errno == EACCES) return conflictCode;
  return LastError(false);
}

int OpenDescriptor(const std::string& path, int flags) {
  int fd;
  do {
    fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Errors for which a read-write open of a readable file is worth retrying
// read-only.
bool WriteAccessRefused(int error) {
  return error == EACCES || error == EPERM || error == EROFS || error == ETXTBSY;
}

std::atomic<std::uint64_t> lastStamp{0};

}  // namespace

void File::NewStamp() {
  stamp_ = lastStamp.fetch_add(1, std::memory_order_relaxed) + 1;
}

File::~File() {
  Close();
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      access_(other.access_),
      sharing_(other.sharing_),
      stamp_(other.stamp_) {
  other.NewStamp();
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    access_ = other.access_;
    sharing_ = other.sharing_;
    stamp_ = other.stamp_;
    other.NewStamp();
  }
  return *this;
}

int File::Open(const std::string& path, Access access, Sharing sharing) {
  Close();
  int fd;
  if (access == Access::Read && sharing == Sharing::Exclusive) {
    // Holding the write lock needs a descriptor open for writing.
    fd = OpenDescriptor(path, O_RDWR);
    if (fd < 0 && WriteAccessRefused(errno)) fd = OpenDescriptor(path, O_RDONLY);
  } else {
    fd = OpenDescriptor(path, access == Access::Read ? O_RDONLY : O_RDWR);
  }
  if (fd < 0) return LastError(false);
  return Attach(fd, path, access, sharing);
}

int File::Create(const std::string& path, Sharing sharing) {
  Close();
  // No O_TRUNC: an open held by someone else must refuse us before a single
  // byte is lost, so the sharing lock comes first and the truncation after.
  int fd = OpenDescriptor(path, O_RDWR | O_CREAT);
  if (fd < 0) return errno == ENOENT ? kPathNotFound : LastError(true);
  if (int code = Attach(fd, path, Access::ReadWrite, sharing); code != 0) return code;
  if (int code = Truncate(0); code != 0) {
    Close();
    return code;
  }
  return 0;
}

int File::Attach(int fd, const std::string& path, Access access, Sharing sharing) {
  NewStamp();
  struct stat info {};
  int code = 0;
  if (fstat(fd, &info) != 0) {
    code = LastError(false);
  } else if (S_ISDIR(info.st_mode)) {
    code = kAccessDenied;
  } else {
    // An exclusive open that could only get a read-only descriptor holds a
    // read lock: the best it can do, and it still refuses exclusive opens.
    const bool writable = (fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDWR;
    const short type = sharing == Sharing::Exclusive && writable ? F_WRLCK : F_RDLCK;
    code = ApplyLock(fd, RangeLock(type, kSharingByte, 1), kSharingViolation);
  }
  if (code != 0) {
    close(fd);
    return code;
  }
  fd_ = fd;
  path_ = path;
  access_ = access;
  sharing_ = sharing;
  return 0;
}

int File::Close() {
  if (fd_ < 0) return 0;
  NewStamp();
  // The descriptor is gone after close(2) whatever it reports, so no retry.
  const int result = close(std::exchange(fd_, -1));
  path_.clear();
  return result == 0 || errno == EINTR ? 0 : LastError(true);
}

int File::RenameTo(const std::string& newPath) {
  if (fd_ < 0) return kFileNotOpen;
  // The file itself is open, so a missing name is the target's folder.
  if (rename(path_.c_str(), newPath.c_str()) != 0) {
    return errno == ENOENT ? kPathNotFound : LastError(true);
  }
  path_ = newPath;
  return 0;
}

int File::ReadAt(std::uint64_t offset, void* buffer, std::size_t count, std::size_t* got) const {
  *got = 0;
  if (fd_ < 0) return kFileNotOpen;
  if (!Addressable(offset, count)) return OsErrorFromErrno(EOVERFLOW, false);
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (*got < count) {
    const ssize_t n = pread(fd_, bytes + *got, count - *got, static_cast<off_t>(offset + *got));
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError(false);
    }
    if (n == 0) break;  // end of file
    *got += static_cast<std::size_t>(n);
  }
  return 0;
}

int File::ReadExactAt(std::uint64_t offset, void* buffer, std::size_t count) const {
  std::size_t got = 0;
  if (int code = ReadAt(offset, buffer, count, &got); code != 0) return code;
  return got == count ? 0 : kUnexpectedEof;
}

int File::WriteAt(std::uint64_t offset, const void* buffer, std::size_t count) {
  if (fd_ < 0) return kFileNotOpen;
  if (access_ == Access::Read) return kAccessDenied;
  if (!Addressable(offset, count)) return OsErrorFromErrno(EFBIG, true);
  NewStamp();
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = pwrite(fd_, bytes + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError(true);
    }
    if (n == 0) return kDiskWriteError;  // no progress: treat as a full disk
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int File::Size(std::uint64_t* size) const {
  *size = 0;
  if (fd_ < 0) return kFileNotOpen;
  struct stat info {};
  if (fstat(fd_, &info) != 0) return LastError(false);
  *size = static_cast<std::uint64_t>(info.st_size);
  return 0;
}

int File::Truncate(std::uint64_t size) {
  if (fd_ < 0) return kFileNotOpen;
  if (access_ == Access::Read) return kAccessDenied;
  if (!Addressable(size, 0)) return OsErrorFromErrno(EFBIG, true);
  NewStamp();
  int result;
  do {
    result = ftruncate(fd_, static_cast<off_t>(size));
  } while (result < 0 && errno == EINTR);
  return result == 0 ? 0 : LastError(true);
}

int File::Flush() {
  if (fd_ < 0) return kFileNotOpen;
  int result;
  do {
    result = fsync(fd_);
  } while (result < 0 && errno == EINTR);
  return result == 0 ? 0 : LastError(true);
}

int File::SetRegionLock(short type, std::uint64_t offset, std::uint64_t length) {
  if (fd_ < 0) return kFileNotOpen;
  // A zero l_len would mean "to the end of all offsets"; a zero-length range
  // holds nothing instead.
  if (length == 0) return 0;
  if (!BelowSharingByte(offset, length)) return kLockViolation;
  return ApplyLock(fd_, RangeLock(type, offset, length), kLockViolation);
}

int File::LockRegion(std::uint64_t offset, std::uint64_t length) {
  return SetRegionLock(F_WRLCK, offset, length);
}

int File::LockRegionShared(std::uint64_t offset, std::uint64_t length) {
  return SetRegionLock(F_RDLCK, offset, length);
}

int File::UnlockRegion(std::uint64_t offset, std::uint64_t length) {
  return SetRegionLock(F_UNLCK, offset, length);
}

bool File::RegionLockedByOther(std::uint64_t offset, std::uint64_t length) const {
  if (fd_ < 0 || length == 0 || !BelowSharingByte(offset, length)) return false;
  // F_OFD_GETLK reports only locks of other opens that would refuse this one.
  struct flock probe = RangeLock(F_WRLCK, offset, length);
  if (fcntl(fd_, F_OFD_GETLK, &probe) != 0) return true;
  return probe.l_type != F_UNLCK;
}

}  // namespace pw::platform
