#include "engine/table/engine_settings.h"

namespace pw {

EngineSettings& Settings() {
  static EngineSettings settings;
  return settings;
}

}  // namespace pw
