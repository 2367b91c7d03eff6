#include "platform/os_error.h"

#include <cerrno>

namespace pw::platform {

int OsErrorFromErrno(int errnoValue, bool writing) {
  switch (errnoValue) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    case EBADF:
      return kInvalidHandle;
    case ENOMEM:
      return kNotEnoughMemory;
    case EROFS:
      return kWriteProtected;
    case ENOSPC:
    case EDQUOT:
      return kDiskWriteError;
    default:
      // EIO and everything without a closer match.
      return writing ? kDiskWriteError : kDiskReadError;
  }
}

}  // namespace pw::platform
