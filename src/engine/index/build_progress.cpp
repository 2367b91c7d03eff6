#include "engine/index/build_progress.h"

#include <algorithm>
#include <utility>

#include "engine/table/engine_state.h"

namespace pw {

BuildProgressCallback SetBuildProgress(BuildProgressCallback callback) {
  return std::exchange(ProcessState().buildProgress, std::move(callback));
}

BuildTicker::BuildTicker(std::int32_t recordCount)
    : stride_(std::max<std::int64_t>(2, 2 * (std::int64_t{recordCount} / 100))) {}

void BuildTicker::Step() {
  if (++steps_ % stride_ == 0) Tick();
}

void BuildTicker::Finish() {
  while (given_ < kBuildTicksPerTag) Tick();
}

void BuildTicker::Tick() {
  if (given_ >= kBuildTicksPerTag) return;
  ++given_;
  if (ProcessState().buildProgress) ProcessState().buildProgress();
}

}  // namespace pw
