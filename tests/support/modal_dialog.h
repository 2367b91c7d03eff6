// Driving modal dialogs from a test: exec() runs its own event loop, so the
// test's input is queued to run once the dialog is the active modal window.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

namespace pw::test {

// Runs `answer` on the modal dialog of type `Dialog` that shows when the
// event loop next runs; `seen` tells whether one did.
template <typename Dialog>
void AnswerNextDialog(bool* seen, std::function<void(Dialog*)> answer) {
  QTimer::singleShot(0, [seen, answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    *seen = dialog != nullptr;
    if (dialog != nullptr) answer(dialog);
  });
}

// Runs `step` on the next modal `Dialog` to open, however late (polling
// every 10 ms, giving up after 60 s: on a loaded machine a file dialog can
// take seconds to show, and a step that gave up leaves exec() waiting). Calls may be chained: a
// step may queue the next dialog's step before it clicks the button that opens it.
template <class Dialog>
void WhenModal(std::function<void(Dialog*)> step) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, step] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog && ++*waited < 6000) return;
    timer->stop();
    timer->deleteLater();
    if (dialog) step(dialog);
  });
  timer->start(10);
}

// Opens `dialog` modally, runs `input` once it shows and returns what exec()
// returned, or -1 when the input did not close the dialog.
inline int ExecWith(QDialog& dialog, const std::function<void()>& input) {
  bool closedByInput = false;
  QTimer::singleShot(0, &dialog, [&dialog, &input, &closedByInput] {
    input();
    closedByInput = !dialog.isVisible();
    if (!closedByInput) dialog.done(-1);
  });
  const int result = dialog.exec();
  return closedByInput ? result : -1;
}

}  // namespace pw::test
