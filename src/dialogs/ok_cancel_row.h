// The row of a dialog's OK and Cancel buttons: at the bottom right, OK the
// default button.
#pragma once

#include <QHBoxLayout>
#include <QPushButton>

namespace pw {

inline QHBoxLayout* OkCancelRow(QPushButton* ok, QPushButton* cancel) {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);
  ok->setDefault(true);
  return row;
}

}  // namespace pw
