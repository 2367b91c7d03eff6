// Keeps the current work area's position and record buffers across a look
// elsewhere in the table (a grid reading rows, a lookup), so that values a
// caller has already set in the engine's record buffer survive it.
#pragma once

#include <cstdint>
#include <vector>

namespace pw {

class EngineStateGuard {
 public:
  EngineStateGuard();
  ~EngineStateGuard();
  EngineStateGuard(const EngineStateGuard&) = delete;
  EngineStateGuard& operator=(const EngineStateGuard&) = delete;

  // The look moved through the table's order (GoTop, Skip, Find ...), so
  // the order's position has to be restored as well, not only the buffers.
  void Navigated() { navigated_ = true; }

 private:
  int workArea_;
  std::int32_t recordNumber_;
  bool bof_;
  bool eof_;
  std::vector<unsigned char> raw_;
  std::vector<unsigned char> image_;
  std::uint16_t errorCode_;
  bool navigated_ = false;
};

}  // namespace pw
