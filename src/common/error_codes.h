// The engine's own error codes, as the error text table numbers them (the
// operating-system codes are in platform/os_error.h). Named once here so
// that every unit reports the same number for the same failure.
#pragma once

#include <cstdint>

namespace pw {

inline constexpr std::uint16_t kDeviceWriteFault = 29;
inline constexpr std::uint16_t kDeviceReadFault = 30;
inline constexpr std::uint16_t kNotDbase = 210;      // Not a dBASE data file
inline constexpr std::uint16_t kBadFieldType = 211;  // Invalid database field type
inline constexpr std::uint16_t kOutOfRange = 212;    // Request beyond range
inline constexpr std::uint16_t kNoDatabaseInUse = 215;
inline constexpr std::uint16_t kOutOfMemory = 217;  // Insufficient memory
inline constexpr std::uint16_t kInvalidParameter = 220;
inline constexpr std::uint16_t kIndexNotOpen = 221;
inline constexpr std::uint16_t kCorruptedIndex = 222;
inline constexpr std::uint16_t kIndexVersionMismatch = 223;
inline constexpr std::uint16_t kExclusiveRequired = 225;
inline constexpr std::uint16_t kDiskFull = 227;  // Insufficient disk space
inline constexpr std::uint16_t kInternalError = 254;
inline constexpr std::uint16_t kInvalidSize = 266;
inline constexpr std::uint16_t kExpressionTooLong = 300;
inline constexpr std::uint16_t kInvalidMemoAddress = 1003;
inline constexpr std::uint16_t kMemoAlreadyOpen = 1007;
inline constexpr std::uint16_t kNoRoomToPack = 1012;  // no disk space to pack memo file
inline constexpr std::uint16_t kCannotLockMemo = 1017;
inline constexpr std::uint16_t kCannotUnlockMemo = 1018;
inline constexpr std::uint16_t kNoMemo = 1019;
inline constexpr std::uint16_t kInvalidOperation = 1103;
inline constexpr std::uint16_t kRecordNotLocked = 1200;
inline constexpr std::uint16_t kSemaphoreError = 1202;

}  // namespace pw
