#include "desktop/one_shot_timer.h"

namespace pw {

QtOneShotTimer::QtOneShotTimer() {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Fire(); });
}

}  // namespace pw
