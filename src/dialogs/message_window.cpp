#include "dialogs/message_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>

namespace pw {

MessageWindow::MessageWindow(const QString& text, const QString& caption)
    : QWidget(nullptr), label_(new QLabel(text, this)), owner_(QApplication::activeWindow()) {
  Qt::WindowFlags flags = Qt::WindowStaysOnTopHint;
  flags |= caption.isEmpty() ? Qt::Tool | Qt::FramelessWindowHint : Qt::Dialog;
  setWindowFlags(flags);
  setWindowTitle(caption);
  setAttribute(Qt::WA_ShowWithoutActivating);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::yellow);
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(label_);
  FitAndCentre();
}

void MessageWindow::SetText(const QString& text) {
  label_->setText(text);
  FitAndCentre();
  QCoreApplication::processEvents();
}

void MessageWindow::FitAndCentre() {
  const QFontMetrics metrics(font());
  const int captionWidth = metrics.horizontalAdvance(windowTitle()) + 80;
  adjustSize();
  resize(std::max(width(), captionWidth), height());
  const QRect area = owner_ != nullptr ? owner_->frameGeometry()
                                       : QGuiApplication::primaryScreen()->availableGeometry();
  move(area.center() - rect().center());
}

}  // namespace pw
