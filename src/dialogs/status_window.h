// StatusWindow: a small window with a caption, a line of text and a progress
// bar, shown while the program backs up or compacts its files. The caller
// advances the bar and lets pending events run so that it is painted.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace pw {

class StatusWindow : public QWidget {
  Q_OBJECT

 public:
  // The bar runs from 0 to `maximum` and starts at 0.
  StatusWindow(const QString& caption, const QString& text, int maximum, QWidget* parent = nullptr);

  // Moves the bar one step on.
  void StepIt();

  QLabel* Label() const { return label_; }
  QProgressBar* ProgressBar() const { return progressBar_; }

 private:
  QLabel* label_;
  QProgressBar* progressBar_;
};

}  // namespace pw
