#include "desktop/event_pause.h"

#include <QEventLoop>
#include <QTimer>

namespace pw {

void PauseProcessingEvents(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace pw
