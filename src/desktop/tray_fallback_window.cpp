#include "desktop/tray_fallback_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

namespace pw {
namespace {

constexpr int kIconSize = 32;
constexpr int kScreenMargin = 16;

}  // namespace

QPoint BottomRightCorner(const QRect& area, const QSize& frameSize, int margin) {
  return QPoint(area.x() + area.width() - frameSize.width() - margin,
                area.y() + area.height() - frameSize.height() - margin);
}

TrayFallbackWindow::TrayFallbackWindow(QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      iconLabel_(new QLabel(this)),
      tipLabel_(new QLabel(this)),
      menuButton_(new QToolButton(this)) {
  iconLabel_->setFixedSize(kIconSize, kIconSize);
  menuButton_->setText(tr("Menu"));
  menuButton_->setArrowType(Qt::DownArrow);
  menuButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(iconLabel_);
  layout->addWidget(tipLabel_, 1);
  layout->addWidget(menuButton_);
  connect(menuButton_, &QToolButton::clicked, this, [this] {
    emit menuRequested(menuButton_->mapToGlobal(QPoint(0, menuButton_->height())));
  });
}

void TrayFallbackWindow::SetIcon(const QIcon& icon) {
  iconLabel_->setPixmap(icon.pixmap(kIconSize, kIconSize));
  setWindowIcon(icon);
}

void TrayFallbackWindow::SetTip(const QString& tip) {
  tipLabel_->setText(tip);
  setToolTip(tip);
  setWindowTitle(tip);
}

void TrayFallbackWindow::ShowInCorner() {
  adjustSize();
  PlaceInCorner();
  awaitingFrame_ = true;
  show();
}

void TrayFallbackWindow::PlaceInCorner() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(BottomRightCorner(screen->availableGeometry(), frameGeometry().size(), kScreenMargin));
  }
}

void TrayFallbackWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // A window manager frames the window only after it is shown, and the
  // frame's title bar pushes it down: placed again, once, with its frame.
  // While it is being framed the window may report a frame of 1 x 1.
  const QRect frame = frameGeometry();
  if (awaitingFrame_ && frame != geometry() && frame.contains(geometry())) {
    awaitingFrame_ = false;
    PlaceInCorner();
  }
}

void TrayFallbackWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit leftButtonPressed();
  if (event->button() == Qt::RightButton) emit menuRequested(event->globalPosition().toPoint());
}

void TrayFallbackWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit leftButtonDoubleClicked();
}

void TrayFallbackWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace pw
