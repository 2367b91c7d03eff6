#include "richtext/tabs_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace pw {
namespace {

constexpr qreal kMaximumPosition = 2000;

}  // namespace

TabsDialog::TabsDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Tabs"));
  position_ = new QDoubleSpinBox(this);
  position_->setRange(1, kMaximumPosition);
  position_->setDecimals(0);
  position_->setSuffix(tr(" px"));
  list_ = new QListWidget(this);
  auto* set = new QPushButton(tr("&Set"), this);
  clear_ = new QPushButton(tr("&Clear"), this);
  clearAll_ = new QPushButton(tr("Clear &All"), this);
  connect(set, &QPushButton::clicked, this, &TabsDialog::SetStop);
  connect(clear_, &QPushButton::clicked, this, &TabsDialog::ClearStop);
  connect(clearAll_, &QPushButton::clicked, this, &TabsDialog::ClearAllStops);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    clear_->setEnabled(row >= 0);
    if (row >= 0) position_->setValue(stops_[row]);
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* label = new QLabel(tr("&Tab stop position:"), this);
  label->setBuddy(position_);
  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(position_, 1, 0);
  layout->addWidget(list_, 2, 0, 3, 1);
  layout->addWidget(set, 1, 1);
  layout->addWidget(clear_, 2, 1);
  layout->addWidget(clearAll_, 3, 1, Qt::AlignTop);
  layout->addWidget(buttons, 5, 0, 1, 2);
  ShowStops();
}

void TabsDialog::SetTabStops(const QList<qreal>& positions) {
  stops_ = positions;
  std::sort(stops_.begin(), stops_.end());
  stops_.erase(std::unique(stops_.begin(), stops_.end()), stops_.end());
  ShowStops();
}

QList<qreal> TabsDialog::TabStops() const {
  return stops_;
}

void TabsDialog::SetStop() {
  const qreal position = position_->value();
  if (stops_.contains(position)) return;
  stops_.insert(std::lower_bound(stops_.begin(), stops_.end(), position), position);
  ShowStops();
}

void TabsDialog::ClearStop() {
  const int row = list_->currentRow();
  if (row < 0) return;
  stops_.removeAt(row);
  ShowStops();
}

void TabsDialog::ClearAllStops() {
  stops_.clear();
  ShowStops();
}

void TabsDialog::ShowStops() {
  QSignalBlocker blocker(list_);
  list_->clear();
  for (qreal stop : stops_) list_->addItem(QString::number(stop) + tr(" px"));
  clear_->setEnabled(false);
  clearAll_->setEnabled(!stops_.isEmpty());
}

}  // namespace pw
