// The byte-range primitive under the engine's lock settings: a single
// non-blocking request, the retry loop around it, and the wait between
// attempts.
#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/table/engine_settings.h"
#include "engine/table/lock.h"

namespace pw {

std::uint16_t LockRegion(platform::File& file, std::uint64_t offset, std::uint64_t length) {
  if (!Settings().networkMode) return 0;
  return static_cast<std::uint16_t>(file.LockRegion(offset, length));
}

std::uint16_t UnlockRegion(platform::File& file, std::uint64_t offset, std::uint64_t length) {
  if (!Settings().networkMode) return 0;
  return static_cast<std::uint16_t>(file.UnlockRegion(offset, length));
}

bool LockWithRetry(platform::File& file, std::uint64_t offset, std::uint64_t length) {
  const EngineSettings& settings = Settings();
  const std::uint16_t retries = settings.lockRetryCount;
  std::uint16_t attempt = 0;
  do {
    if (LockRegion(file, offset, length) == 0) return true;
    if (attempt < retries) LockWait(settings.lockRetryWaitMs);
    ++attempt;
    // The callback may grant a fresh round of attempts once these are used up.
    if (attempt > retries && settings.lockFailureCallback && settings.lockFailureCallback()) {
      attempt = 0;
    }
  } while (attempt <= retries);
  return false;
}

void LockWait(int milliseconds) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto wait = std::chrono::milliseconds(milliseconds);
  for (;;) {
    const EngineSettings& settings = Settings();
    if (milliseconds >= 10 && settings.processEvents) settings.processEvents();
    const auto elapsed = Clock::now() - start;
    if (elapsed >= wait || settings.terminating) return;
    // Sleep in short slices instead of spinning, so the wait does not burn a core.
    std::this_thread::sleep_for(
        std::min<Clock::duration>(wait - elapsed, std::chrono::milliseconds(1)));
  }
}

}  // namespace pw
