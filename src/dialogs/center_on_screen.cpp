#include "dialogs/center_on_screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace pw {

void CenterOnScreen(QWidget& window) {
  // move() places the frame, so the frame is what gets centred (the window itself while the
  // window system has not told its frame yet).
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.frameGeometry().size(),
                                    screen->availableGeometry())
                    .topLeft());
}

}  // namespace pw
