#include "engine/index/index_semaphore_settings.h"

namespace pw {

SemaphoreSettings& IndexSemaphoreSettings() {
  static SemaphoreSettings settings;
  return settings;
}

}  // namespace pw
