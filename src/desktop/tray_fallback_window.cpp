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
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() - width() - kScreenMargin, area.bottom() - height() - kScreenMargin);
  }
  show();
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
