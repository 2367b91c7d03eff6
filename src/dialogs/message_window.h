// A small yellow window that shows one line of text above all windows:
// without a border when it has no caption, with a dialog frame when it has
// one; sized to its text and caption and centred over the window that was
// active when it was made (over the screen when there was none).
#pragma once

#include <QLabel>
#include <QWidget>

namespace pw {

class MessageWindow : public QWidget {
  Q_OBJECT

 public:
  MessageWindow(const QString& text, const QString& caption);

  QString Text() const { return label_->text(); }
  // Shows `text`, resized to fit, and lets pending events run so that the
  // window is painted in the middle of a long operation.
  void SetText(const QString& text);

 private:
  void FitAndCentre();

  QLabel* label_;
  QWidget* owner_;
};

}  // namespace pw
