// Driving the note properties dialog from a test: clicking a day of its
// calendar, answering the colour and font dialogs it opens, and running it
// modally with input.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>

namespace pw::test {

// Clicks the first cell of `calendar` that shows `day` (the shown month's
// own day for days up to 21).
inline bool ClickCalendarDay(QCalendarWidget* calendar, int day) {
  auto* view = calendar->findChild<QTableView*>();
  if (view == nullptr) return false;
  for (int row = 0; row < view->model()->rowCount(); ++row) {
    for (int column = 0; column < view->model()->columnCount(); ++column) {
      const QModelIndex index = view->model()->index(row, column);
      if (index.data().toString() != QString::number(day)) continue;
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
      return true;
    }
  }
  return false;
}

// Clicks the indicator of a check box or radio button: a click beside its
// text does not count.
inline void ClickBox(QAbstractButton* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// The OK or Cancel button of a dialog laid out with a button box.
inline QPushButton* BoxButton(QWidget* dialog, QDialogButtonBox::StandardButton which) {
  auto* box = dialog->findChild<QDialogButtonBox*>();
  return box == nullptr ? nullptr : box->button(which);
}

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
