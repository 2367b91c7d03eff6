#include "richtext/note_editor.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QIODevice>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <utility>

#include "richtext/link_detection.h"
#include "richtext/link_highlighter.h"
#include "richtext/note_mime_data.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "richtext/url_opener.h"

namespace pw {
namespace {

UrlOpener* DesktopOpener() {
  static DesktopUrlOpener opener;
  return &opener;
}

// Gives `cursor`'s selection `replacement` in the format of its first
// character, as a word processor's replace does.
void ReplaceSelection(QTextCursor* cursor, const QString& replacement) {
  QTextCursor first(cursor->document());
  first.setPosition(cursor->selectionStart() + 1);
  cursor->insertText(replacement, first.charFormat());
}

}  // namespace

NoteEditor::NoteEditor(QWidget* parent)
    : QTextEdit(parent), highlighter_(new LinkHighlighter(document())), opener_(DesktopOpener()) {
  setAcceptRichText(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
  highlighter_->SetLinkColor(palette().color(QPalette::Link));
}

NoteEditor::~NoteEditor() = default;

bool NoteEditor::LoadFromStream(QIODevice* stream) {
  if (stream == nullptr || !stream->isReadable()) return false;
  const QByteArray data = stream->readAll();
  bool read = true;
  if (data.isEmpty()) {
    document()->clear();
  } else {
    read = ReadRtf(data, document());
  }
  document()->clearUndoRedoStacks();
  document()->setModified(false);
  moveCursor(QTextCursor::Start);
  return read;
}

bool NoteEditor::SaveToStream(QIODevice* stream) const {
  if (stream == nullptr || !stream->isWritable()) return false;
  const QByteArray rtf = WriteRtf(*document());
  qint64 written = 0;
  while (written < rtf.size()) {
    const qint64 count = stream->write(rtf.constData() + written, rtf.size() - written);
    if (count <= 0) return false;
    written += count;
  }
  return true;
}

QString NoteEditor::PlainText() const {
  // Pictures stand in the text as object replacement characters.
  return toPlainText().remove(QChar::ObjectReplacementCharacter);
}

int NoteEditor::FindFirst(const QString& text) const {
  if (text.isEmpty()) return -1;
  const QTextCursor found = document()->find(text, 0, QTextDocument::FindCaseSensitively);
  return found.isNull() ? -1 : found.selectionStart();
}

bool NoteEditor::ReplaceFirst(const QString& text, const QString& replacement) {
  if (text.isEmpty()) return false;
  QTextCursor found = document()->find(text, 0, QTextDocument::FindCaseSensitively);
  if (found.isNull()) return false;
  ReplaceSelection(&found, replacement);
  return true;
}

bool NoteEditor::FindNext(const QString& text, QTextDocument::FindFlags flags) {
  if (text.isEmpty()) return false;
  QTextCursor found = document()->find(text, textCursor(), flags);
  if (found.isNull()) found = document()->find(text, 0, flags);
  if (found.isNull()) return false;
  setTextCursor(found);
  return true;
}

bool NoteEditor::ReplaceNext(const QString& text, const QString& replacement,
                             QTextDocument::FindFlags flags) {
  if (text.isEmpty() || isReadOnly()) return false;
  QTextCursor cursor = textCursor();
  // The selection counts as an occurrence when a search from its start finds it.
  const QTextCursor again = document()->find(text, cursor.selectionStart(), flags);
  const bool replaced = cursor.hasSelection() && !again.isNull() &&
                        again.selectionStart() == cursor.selectionStart() &&
                        again.selectionEnd() == cursor.selectionEnd();
  if (replaced) {
    ReplaceSelection(&cursor, replacement);
    setTextCursor(cursor);
  }
  return FindNext(text, flags) || replaced;
}

int NoteEditor::ReplaceAll(const QString& text, const QString& replacement,
                           QTextDocument::FindFlags flags) {
  if (text.isEmpty() || isReadOnly()) return 0;
  int count = 0;
  QTextCursor edit(document());
  edit.beginEditBlock();
  QTextCursor found = document()->find(text, 0, flags);
  while (!found.isNull()) {
    ReplaceSelection(&found, replacement);
    ++count;
    found = document()->find(text, found, flags);
  }
  edit.endEditBlock();
  return count;
}

void NoteEditor::SetUrlDetection(bool enabled) {
  highlighter_->SetEnabled(enabled);
}

bool NoteEditor::UrlDetection() const {
  return highlighter_->Enabled();
}

QUrl NoteEditor::LinkAt(int position) const {
  if (position < 0) return {};
  const QTextBlock block = document()->findBlock(position);
  if (!block.isValid()) return {};
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (!fragment.contains(position)) continue;
    const QString target = fragment.charFormat().anchorHref();
    if (!target.isEmpty()) return QUrl(target, QUrl::TolerantMode);
    break;
  }
  if (!UrlDetection()) return {};
  return LinkAtOffset(block.text(), position - block.position());
}

void NoteEditor::SetUrlOpener(UrlOpener* opener) {
  opener_ = opener != nullptr ? opener : DesktopOpener();
}

void NoteEditor::SetBackgroundColor(const QColor& color) {
  QPalette colors = palette();
  colors.setColor(QPalette::Base, color);
  // Text without a colour of its own is black on a light note and white on
  // a dark one, whatever the desktop's palette: a dark desktop's white text
  // would vanish on a yellow note.
  colors.setColor(QPalette::Text, color.lightness() >= 128 ? Qt::black : Qt::white);
  setPalette(colors);
}

QColor NoteEditor::BackgroundColor() const {
  return palette().color(QPalette::Base);
}

bool NoteEditor::IsFormatKey(const QKeyEvent& event) const {
  // Only with Ctrl alone: Ctrl+Shift+Z and the like keep their usual meaning.
  if (event.modifiers() != Qt::ControlModifier || isReadOnly()) return false;
  switch (event.key()) {
    case Qt::Key_B:
    case Qt::Key_I:
    case Qt::Key_J:
    case Qt::Key_U:
      return true;
    case Qt::Key_E:
      return fullEditorEnabled_;
    default:
      return false;
  }
}

bool NoteEditor::RunFormatKey(int key) {
  switch (key) {
    case Qt::Key_B:
      ToggleBold();
      return true;
    case Qt::Key_I:
    case Qt::Key_J:
      ToggleItalic();
      return true;
    case Qt::Key_U:
      ToggleUnderline();
      return true;
    case Qt::Key_E:
      OpenFullEditor();
      return true;
    default:
      return false;
  }
}

bool NoteEditor::event(QEvent* event) {
  // Claim our keys before a window's shortcut with the same key takes them.
  if (event->type() == QEvent::ShortcutOverride && IsFormatKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QTextEdit::event(event);
}

void NoteEditor::keyPressEvent(QKeyEvent* event) {
  if (IsFormatKey(*event) && RunFormatKey(event->key())) {
    event->accept();
    return;
  }
  QTextEdit::keyPressEvent(event);
}

bool NoteEditor::OpensLinkOnClick(Qt::KeyboardModifiers modifiers) const {
  // A plain click in editable text places the caret; it opens links only in
  // a read-only view.
  return isReadOnly() || modifiers == Qt::ControlModifier;
}

QUrl NoteEditor::LinkAtPoint(const QPoint& viewportPoint) const {
  const QPointF documentPoint =
      viewportPoint + QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
  const int boundary = document()->documentLayout()->hitTest(documentPoint, Qt::ExactHit);
  if (boundary < 0) return {};
  // The hit is the character boundary nearest to the point; the character
  // under the point lies before it when the point is left of the boundary.
  QTextCursor cursor(document());
  cursor.setPosition(boundary);
  const bool leftOfBoundary = viewportPoint.x() < cursorRect(cursor).center().x();
  const int position = leftOfBoundary ? boundary - 1 : boundary;
  const QTextBlock block = cursor.block();
  if (position < block.position()) return {};
  return LinkAt(position);
}

void NoteEditor::mousePressEvent(QMouseEvent* event) {
  pressedLink_ = event->button() == Qt::LeftButton && OpensLinkOnClick(event->modifiers())
                     ? LinkAtPoint(event->position().toPoint())
                     : QUrl();
  QTextEdit::mousePressEvent(event);
}

void NoteEditor::mouseMoveEvent(QMouseEvent* event) {
  QTextEdit::mouseMoveEvent(event);
  const bool overLink =
      OpensLinkOnClick(event->modifiers()) && !LinkAtPoint(event->position().toPoint()).isEmpty();
  if (overLink) {
    viewport()->setCursor(Qt::PointingHandCursor);
  } else if (event->buttons() == Qt::NoButton) {
    viewport()->setCursor(isReadOnly() ? Qt::ArrowCursor : Qt::IBeamCursor);
  }
}

void NoteEditor::mouseReleaseEvent(QMouseEvent* event) {
  QTextEdit::mouseReleaseEvent(event);
  const QUrl link = std::exchange(pressedLink_, QUrl());
  if (event->button() != Qt::LeftButton || link.isEmpty()) return;
  // A press on a link that turned into a drag selection opens nothing.
  if (textCursor().hasSelection() || LinkAtPoint(event->position().toPoint()) != link) return;
  opener_->Open(link);
  emit linkActivated(link);
}

void NoteEditor::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

QMimeData* NoteEditor::createMimeDataFromSelection() const {
  return CreateNoteMimeData(textCursor().selection());
}

bool NoteEditor::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasFormat(QStringLiteral("text/rtf")) ||
         source->hasFormat(QStringLiteral("application/rtf")) ||
         QTextEdit::canInsertFromMimeData(source);
}

void NoteEditor::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly()) return;
  QTextCursor cursor = textCursor();
  if (!InsertRtfMimeData(*source, &cursor)) {
    QTextEdit::insertFromMimeData(source);
    return;
  }
  setTextCursor(cursor);
  ensureCursorVisible();
}

void NoteEditor::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    highlighter_->SetLinkColor(palette().color(QPalette::Link));
  }
  QTextEdit::changeEvent(event);
}

}  // namespace pw
