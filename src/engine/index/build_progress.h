// Progress of index builds: the table component sets a callback, and every
// tag built calls it exactly 100 times, spread over reading the records and
// writing the tree.
#pragma once

#include <cstdint>
#include <functional>

namespace pw {

inline constexpr int kBuildTicksPerTag = 100;

using BuildProgressCallback = std::function<void()>;

// Sets the callback of every build that follows; an empty one turns
// progress off. Returns the previous callback.
BuildProgressCallback SetBuildProgress(BuildProgressCallback callback);

// Counts the steps of one tag's build and calls the callback once every
// `stride` steps (2 * (record count / 100), at least 2) while ticks remain.
class BuildTicker {
 public:
  explicit BuildTicker(std::int32_t recordCount);
  // One record read or one item written.
  void Step();
  // Gives the ticks not yet given.
  void Finish();

 private:
  void Tick();

  std::int64_t stride_;
  std::int64_t steps_ = 0;
  int given_ = 0;
};

}  // namespace pw
