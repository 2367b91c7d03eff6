// A small window standing in for the notification-area icon on a desktop
// that has no notification area. It shows the icon and its tip, stays above
// other windows, and reports presses, double clicks and right clicks like
// the icon would; its "Menu" button reaches the icon's menu without a right
// click. It cannot be closed: it is the program's only way in.
#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace pw {

// The top left corner of the frame (title bar and borders included) of a
// window of `frameSize` that sits in the bottom right corner of `area`,
// `margin` pixels inside its right and bottom edges.
QPoint BottomRightCorner(const QRect& area, const QSize& frameSize, int margin);

class TrayFallbackWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TrayFallbackWindow(QWidget* parent = nullptr);

  void SetIcon(const QIcon& icon);
  void SetTip(const QString& tip);
  // Shows the window, frame included, in the bottom right corner of the
  // primary screen's available area (inside panels and docks).
  void ShowInCorner();

 signals:
  void leftButtonPressed();
  void leftButtonDoubleClicked();
  // At the global position where the menu should open.
  void menuRequested(const QPoint& globalPosition);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void PlaceInCorner();

  QLabel* iconLabel_;
  QLabel* tipLabel_;
  QToolButton* menuButton_;
  // Shown, and the window manager's frame not yet seen.
  bool awaitingFrame_ = false;
};

}  // namespace pw
