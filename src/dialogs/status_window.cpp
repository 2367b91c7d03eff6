#include "dialogs/status_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace pw {

StatusWindow::StatusWindow(const QString& caption, const QString& text, int maximum,
                           QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label_(new QLabel(text, this)),
      progressBar_(new QProgressBar(this)) {
  setWindowTitle(caption);
  progressBar_->setRange(0, maximum);
  progressBar_->setValue(0);
  progressBar_->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(progressBar_);
  setMinimumWidth(300);
}

void StatusWindow::StepIt() {
  progressBar_->setValue(progressBar_->value() + 1);
}

}  // namespace pw
