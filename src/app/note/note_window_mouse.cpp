// Moving and sizing the note with the mouse: a press on the caption or the
// body drags the window, a press in the 10-pixel zone along the right or
// bottom edge sizes it. Where the compositor places the windows, a drag is
// handed to it.
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

#include "app/note/note_host.h"
#include "app/note/note_window.h"

namespace pw {

bool NoteWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* source = qobject_cast<QWidget*>(watched);
  if (source != captionBar_ && source != captionLabel_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      return MousePress(source, static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
      return MouseMove(source, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: {
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
      const bool handled = dragging_ || resizing_;
      dragging_ = false;
      resizing_ = false;
      return handled;
    }
    case QEvent::MouseButtonDblClick:
      if (source == captionLabel_) {
        EditCaption();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void NoteWindow::PlacedByUser() {
  // The compositor's place is never the note's.
  if (host_.PlacesWindows()) storedPlace_.reset();
  ScheduleSave();
}

NoteWindow::SizingEdge NoteWindow::EdgeAt(QPoint windowPosition) const {
  if (collapsed_) return SizingEdge::None;
  const bool right = windowPosition.x() >= width() - kSizingZone;
  const bool bottom = windowPosition.y() >= height() - kSizingZone;
  if (right && bottom) return SizingEdge::Corner;
  if (right) return SizingEdge::Right;
  if (bottom) return SizingEdge::Bottom;
  return SizingEdge::None;
}

bool NoteWindow::MousePress(QWidget* source, QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return false;
  if (ignoreNextPress_) {
    ignoreNextPress_ = false;
    // Taken, so that the title's parent does not start a drag from it in
    // its own coordinates.
    return true;
  }
  const QPoint position = event->position().toPoint();
  pressPosition_ = position;
  lastPosition_ = position;
  sizingEdge_ = EdgeAt(source->mapTo(this, position));
  resizing_ = sizingEdge_ != SizingEdge::None;
  dragging_ = !resizing_;
  if (dragging_ && !host_.PlacesWindows() && windowHandle() != nullptr &&
      windowHandle()->startSystemMove()) {
    dragging_ = false;
  }
  // Taken here, so that the title's parent does not see the press again.
  return true;
}

bool NoteWindow::MouseMove(QWidget* source, QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  if (dragging_) {
    // The pressed point stays under the mouse.
    move(pos() + position - pressPosition_);
    PlacedByUser();
    return true;
  }
  if (resizing_) {
    const QPoint delta = position - lastPosition_;
    const bool widthChanges = sizingEdge_ != SizingEdge::Bottom;
    const bool heightChanges = sizingEdge_ != SizingEdge::Right;
    resize(std::max(minimumWidth(), width() + (widthChanges ? delta.x() : 0)),
           std::max(minimumHeight(), height() + (heightChanges ? delta.y() : 0)));
    lastPosition_ = position;
    storedSize_.reset();
    PlacedByUser();
    return true;
  }
  if (source == captionBar_) {
    switch (EdgeAt(position)) {
      case SizingEdge::Corner:
        captionBar_->setCursor(Qt::SizeFDiagCursor);
        break;
      case SizingEdge::Right:
        captionBar_->setCursor(Qt::SizeHorCursor);
        break;
      case SizingEdge::Bottom:
        captionBar_->setCursor(Qt::SizeVerCursor);
        break;
      case SizingEdge::None:
        captionBar_->setCursor(Qt::ArrowCursor);
        break;
    }
  }
  return false;
}

}  // namespace pw
