// Holds the read or write semaphore of a shared index for one scope, so that
// an error raised as an exception still releases it.
#pragma once

#include "engine/index/index_semaphore.h"
#include "engine/index/index_state.h"

namespace pw {

class SemaphoreScope {
 public:
  enum class Use { kRead, kWrite };

  SemaphoreScope(IndexState& state, Use use) : semaphore_(state.semaphore.get()), use_(use) {
    Set(true);
  }
  ~SemaphoreScope() { Set(false); }
  SemaphoreScope(const SemaphoreScope&) = delete;
  SemaphoreScope& operator=(const SemaphoreScope&) = delete;

 private:
  void Set(bool on) {
    if (semaphore_ == nullptr) return;
    if (use_ == Use::kRead) {
      semaphore_->SetRead(on);
    } else {
      semaphore_->SetLock(on);
    }
  }

  IndexSemaphore* semaphore_;
  Use use_;
};

}  // namespace pw
