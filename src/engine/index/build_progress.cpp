#include "engine/index/build_progress.h"

#include <algorithm>
#include <utility>

namespace pw {
namespace {

BuildProgressCallback& Callback() {
  static BuildProgressCallback callback;
  return callback;
}

}  // namespace

BuildProgressCallback SetBuildProgress(BuildProgressCallback callback) {
  return std::exchange(Callback(), std::move(callback));
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
  if (Callback()) Callback()();
}

}  // namespace pw
