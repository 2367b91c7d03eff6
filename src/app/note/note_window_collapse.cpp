// Collapsing the note to its caption bar and expanding it again, in ten
// animated steps that keep the right edge in place.
#include <QApplication>
#include <QFrame>
#include <QTextCursor>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "app/note/note_host.h"
#include "app/note/note_window.h"
#include "desktop/event_pause.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

// A tenth of `distance`, a remaining half rounded to the even neighbour.
int Tenth(int distance) {
  return static_cast<int>(std::lrint(distance / 10.0));
}

}  // namespace

void NoteWindow::onCollapseOrExpandClicked() {
  captionBar_->setFrameStyle(QFrame::Panel | QFrame::Plain);
  captionBar_->setLineWidth(0);
  closeUpButton_->hide();
  expandButton_->hide();
  exitButton_->hide();
  const bool collapsing = !collapsed_;
  if (collapsing) {
    AnimateCollapse();
  } else {
    AnimateExpand();
  }
  captionBar_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  captionBar_->setLineWidth(1);
  QCoreApplication::processEvents();
  (collapsing ? expandButton_ : closeUpButton_)->show();
  if (host_.Settings().enableSounds) {
    PlayStateSound(collapsing ? "Collapse.wav" : "Expand.wav");
  }
  exitButton_->show();
  QTextCursor start = editor_->textCursor();
  start.movePosition(QTextCursor::Start);
  editor_->setTextCursor(start);
  editor_->viewport()->update();
  ScheduleSave();
}

void NoteWindow::AnimateCollapse() {
  const int dx = width() - minimumWidth();
  const int dh = height() - kCollapsedHeight;
  expandedSize_ = size();
  const int x0 = x();
  for (int step = 0; step < kCollapseSteps; ++step) {
    PauseProcessingEvents(kCollapseStepMs);
    const int newHeight = std::max(kCollapsedHeight, height() - Tenth(dh));
    const int newWidth = std::max(minimumWidth(), width() - Tenth(dx));
    setGeometry(x() + Tenth(dx), y(), newWidth, newHeight);
  }
  setGeometry(x0 + dx, y(), minimumWidth(), kCollapsedHeight);
  collapsed_ = true;
}

void NoteWindow::AnimateExpand() {
  const int dx = expandedSize_.width() - width();
  const int dh = expandedSize_.height() - height();
  const int x0 = x();
  for (int step = 0; step < kCollapseSteps; ++step) {
    PauseProcessingEvents(kCollapseStepMs);
    setGeometry(x() - Tenth(dx), y(), width() + Tenth(dx), height() + Tenth(dh));
  }
  setGeometry(x0 - dx, y(), expandedSize_.width(), expandedSize_.height());
  collapsed_ = false;
}

void NoteWindow::ShowCollapsedAtOnce() {
  closeUpButton_->hide();
  setGeometry(x() + width() - minimumWidth(), y(), minimumWidth(), kCollapsedHeight);
  expandButton_->show();
  exitButton_->show();
}

void NoteWindow::PlayStateSound(const char* fileName) {
  host_.PlayDataSound(QString::fromLatin1(fileName));
}

}  // namespace pw
