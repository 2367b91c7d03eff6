// The program's button in the desktop's task bar. The program has no main
// window, and its note windows are utility windows that task bars leave
// out; the button is a window of its own, one pixel small and titled like
// the program, that stays minimized, so task bars list it. Restoring it
// from the task bar reports activated() and minimizes it again.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

namespace pw {

class TaskbarButton : public QWidget {
  Q_OBJECT

 public:
  explicit TaskbarButton(const QString& title);

  // Shows the button (a minimized window) or takes it away.
  void SetShown(bool shown);
  bool Shown() const { return isVisible(); }

 signals:
  void activated();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  QElapsedTimer lastActivation_;
};

}  // namespace pw
