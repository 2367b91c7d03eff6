// Operating-system error codes as the engine reports them: the DOS/Windows
// numbering that the engine's error text table knows, mapped from errno.
#pragma once

namespace pw::platform {

inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kInvalidHandle = 6;
inline constexpr int kNotEnoughMemory = 8;
inline constexpr int kWriteProtected = 19;
inline constexpr int kSharingViolation = 32;
inline constexpr int kLockViolation = 33;
inline constexpr int kDiskReadError = 100;
inline constexpr int kDiskWriteError = 101;
inline constexpr int kFileNotOpen = 103;
inline constexpr int kUnexpectedEof = 213;

// Maps an errno value to the codes above; `writing` picks 101 over 100 for
// errors that have no closer match.
int OsErrorFromErrno(int errnoValue, bool writing = false);

}  // namespace pw::platform
