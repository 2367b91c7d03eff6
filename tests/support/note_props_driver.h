// Driving the note properties dialog from a test: clicking a day of its
// calendar, its check boxes and radio buttons, and the buttons of the colour
// dialog it opens.
#pragma once

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

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

}  // namespace pw::test
