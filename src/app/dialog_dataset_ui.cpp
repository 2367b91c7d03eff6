#include "app/dialog_dataset_ui.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace pw {

void DialogDatasetUi::Warning(const QString& text) {
  QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(), text);
}

void DialogDatasetUi::ProgressStart(const QString& caption) {
  progress_ =
      std::make_unique<ProgressWindow>(caption.isEmpty() ? QStringLiteral("Progress") : caption);
  progress_->show();
  QCoreApplication::processEvents();
}

void DialogDatasetUi::ProgressTick() {
  if (progress_ != nullptr) progress_->Step();
}

void DialogDatasetUi::ProgressFinish() {
  progress_.reset();
}

void DialogDatasetUi::RequestProgramEnd() {
  // Ends the program once control is back in the event loop.
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

}  // namespace pw
