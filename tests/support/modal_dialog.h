// Running a modal dialog from a test: input once it shows, or an answer to
// the next modal dialog that some action opens.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace pw::test {

// Runs `answer` on the next modal dialog of type `Dialog` once it shows;
// `seen` tells whether one did.
template <typename Dialog>
void AnswerNextDialog(bool* seen, std::function<void(Dialog*)> answer) {
  QTimer::singleShot(0, [seen, answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    *seen = dialog != nullptr;
    if (dialog != nullptr) answer(dialog);
  });
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
