// Driving modal dialogs from a test: exec() runs its own event loop, so the
// test's clicks are queued to run once the dialog is the active modal
// window. Calls may be chained: a step may queue the next dialog's step
// before it clicks the button that opens it.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

namespace pw::test {

// Runs `step` on the next modal `Dialog` to open (polling every 10 ms,
// giving up after 5 s).
template <class Dialog>
void WhenModal(std::function<void(Dialog*)> step) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, step] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog && ++*waited < 500) return;
    timer->stop();
    timer->deleteLater();
    if (dialog) step(dialog);
  });
  timer->start(10);
}

}  // namespace pw::test
