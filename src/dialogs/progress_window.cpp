#include "dialogs/progress_window.h"

namespace pw {

ProgressWindow::ProgressWindow(const QString& caption)
    : MessageWindow(QString(kSteps, QLatin1Char('|')), caption) {}

void ProgressWindow::Step() {
  QString text = Text();
  text.chop(1);
  SetText(text.isEmpty() ? QString(kSteps, QLatin1Char('|')) : text);
}

}  // namespace pw
