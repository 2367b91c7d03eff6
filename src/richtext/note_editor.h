// The rich-text control that shows and edits a note's text: loads and saves
// RTF through a stream, finds and replaces, formats the selection, shows the
// text's links and, while detection is on, web and e-mail addresses as
// links, offers its own context menu and dialogs, and opens the full editor
// ("Edit Note Text").
#pragma once

#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

#include "richtext/paragraph_dialog.h"

class QIODevice;
class QMenu;

namespace pw {

class FindDialog;
class LinkHighlighter;
class ReplaceDialog;
class UrlOpener;

class NoteEditor : public QTextEdit {
  Q_OBJECT

 public:
  explicit NoteEditor(QWidget* parent = nullptr);
  ~NoteEditor() override;

  // Replaces the text with the RTF (or plain text) read from `stream` to its
  // end, with a fresh undo history. False when the stream cannot be read.
  bool LoadFromStream(QIODevice* stream);
  // Writes the whole text as RTF to `stream`. False when not all of it could
  // be written.
  bool SaveToStream(QIODevice* stream) const;
  // The text without formatting, paragraphs separated by "\n".
  QString PlainText() const;

  // Position of the first occurrence of `text`, matching case, or -1.
  int FindFirst(const QString& text) const;
  // Replaces the first occurrence of `text`, matching case, keeping the
  // formatting of its first character; the caret stays where it was.
  bool ReplaceFirst(const QString& text, const QString& replacement);
  // Selects the next occurrence after the caret, starting over at the top
  // when there is none below it.
  bool FindNext(const QString& text, QTextDocument::FindFlags flags);
  // Replaces the selection when it is an occurrence of `text`, then selects
  // the next one. False when there was nothing to replace or find.
  bool ReplaceNext(const QString& text, const QString& replacement, QTextDocument::FindFlags flags);
  // Replaces every occurrence as one undo step; returns how many.
  int ReplaceAll(const QString& text, const QString& replacement, QTextDocument::FindFlags flags);

  // Selection formatting. Each toggle switches the style off when the whole
  // selection has it and on otherwise.
  void ToggleBold();
  void ToggleItalic();
  void ToggleUnderline();
  bool SelectionIsBold() const;
  bool SelectionIsItalic() const;
  bool SelectionIsUnderlined() const;
  void ApplyFont(const QFont& font);
  // Makes the selected paragraphs a bulleted list, or plain paragraphs again
  // when they already are one.
  void ToggleBullet();
  bool InBulletList() const;
  ParagraphSettings CurrentParagraph() const;
  void ApplyParagraph(const ParagraphSettings& settings);
  QList<qreal> CurrentTabStops() const;
  void ApplyTabStops(const QList<qreal>& positions);
  // Inserts the picture in the image file at `path` at the caret.
  bool InsertImageFile(const QString& path);

  void SetUrlDetection(bool enabled);
  bool UrlDetection() const;
  // The link that covers the character at `position`: a link of the text
  // itself (read from a word processor's RTF or pasted), or while detection
  // is on a detected one; an empty URL elsewhere.
  QUrl LinkAt(int position) const;
  // `opener` is not owned and must outlive the editor; null restores the
  // desktop's opener.
  void SetUrlOpener(UrlOpener* opener);
  UrlOpener* Opener() const { return opener_; }

  void SetBackgroundColor(const QColor& color);
  QColor BackgroundColor() const;

  // The full editor is offered by Ctrl+E and the context menu's "Edit...";
  // the full editor's own text area switches it off.
  void SetFullEditorEnabled(bool enabled) { fullEditorEnabled_ = enabled; }
  bool FullEditorEnabled() const { return fullEditorEnabled_; }

  // The context menu, owned by `parent`.
  QMenu* CreateContextMenu(QWidget* parent);

 public slots:
  // Opens the full editor modally on a copy of the text; on OK the edited
  // text replaces this one (one undo step).
  void OpenFullEditor();
  void ChooseFont();
  void EditParagraph();
  void EditTabs();
  void ShowFindDialog();
  void ShowReplaceDialog();
  void ChooseImageFile();

 signals:
  // A link was clicked open (after it was handed to the opener).
  void linkActivated(const QUrl& url);
  // The full editor closed with OK and its text is now this editor's.
  void fullEditorAccepted();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QMimeData* createMimeDataFromSelection() const override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
  void changeEvent(QEvent* event) override;

 private:
  // Runs the formatting command bound to Ctrl + `key`; false for other keys.
  bool RunFormatKey(int key);
  bool IsFormatKey(const QKeyEvent& event) const;
  QUrl LinkAtPoint(const QPoint& viewportPoint) const;
  bool OpensLinkOnClick(Qt::KeyboardModifiers modifiers) const;
  template <typename Test>
  bool WholeSelectionHas(Test test) const;
  void ConnectSearchDialog(FindDialog* dialog);

  LinkHighlighter* highlighter_;
  UrlOpener* opener_;
  bool fullEditorEnabled_ = true;
  QUrl pressedLink_;
  FindDialog* findDialog_ = nullptr;
  ReplaceDialog* replaceDialog_ = nullptr;
};

}  // namespace pw
