// Engine-wide settings shared by every work area. Nothing in the program
// changes most of them; the data set layer sets the per-open ones before
// each call.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/file.h"

namespace pw {

struct OpenMode {
  platform::Access access = platform::Access::ReadWrite;
  platform::Sharing sharing = platform::Sharing::Shared;
};

struct EngineSettings {
  bool networkMode = true;  // off: every open is exclusive, locks are no-ops
  OpenMode sharedOpenMode;  // mode of a shared open
  // Set by the data set layer while it opens a read-only table.
  std::optional<platform::Access> forcedAccess;
  bool ansiLanguage = false;             // newly opened tables get no OEM translation
  bool deriveCountFromFileSize = false;  // record count from the file size on open

  // Locking: with these defaults every lock request is a single attempt.
  std::uint16_t recordLockLimit = 0;  // 0 = no limit
  std::uint8_t lockRetryCount = 0;
  std::uint8_t lockRetryWaitMs = 0;
  std::function<bool()> lockFailureCallback;  // true = start the attempts over
  // Lets the program process pending events during LockWait of 10 ms or more.
  std::function<void()> processEvents;
  // Set when the program has begun to terminate; ends LockWait early.
  bool terminating = false;
};

EngineSettings& Settings();

}  // namespace pw
