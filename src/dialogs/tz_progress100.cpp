#include "dialogs/tz_progress100.h"

namespace pw {

TTzProgress100::TTzProgress100(const QString& caption)
    : TTzMsg(QString(kSteps, QLatin1Char('|')), caption) {}

void TTzProgress100::Step() {
  QString text = Text();
  text.chop(1);
  SetText(text.isEmpty() ? QString(kSteps, QLatin1Char('|')) : text);
}

}  // namespace pw
