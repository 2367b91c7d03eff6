#include "desktop/taskbar_button.h"

#include <QEvent>
#include <QTimer>
#include <QWindowStateChangeEvent>

namespace pw {
namespace {

constexpr int kRepeatedRestoreMs = 500;

}  // namespace

TaskbarButton::TaskbarButton(const QString& title) : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("TaskbarButton"));
  setWindowTitle(title);
  setFixedSize(1, 1);
}

void TaskbarButton::SetShown(bool shown) {
  if (shown == isVisible()) return;
  if (shown) {
    showMinimized();
  } else {
    hide();
  }
}

void TaskbarButton::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !isVisible() || isMinimized()) return;
  if (!(static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized)) return;
  // The window system may report one restore more than once, also after the
  // button was minimized again.
  if (lastActivation_.isValid() && lastActivation_.elapsed() < kRepeatedRestoreMs) return;
  lastActivation_.start();
  emit activated();
  // Minimizing inside the state change would be undone by the window
  // system's own handling of the restore.
  QTimer::singleShot(0, this, [this] {
    if (isVisible()) showMinimized();
  });
}

}  // namespace pw
