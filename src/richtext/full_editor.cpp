#include "richtext/full_editor.h"

#include <QDialogButtonBox>
#include <QToolBar>
#include <QVBoxLayout>

#include "richtext/document_copy.h"
#include "richtext/note_editor.h"
#include "richtext/note_editor_actions.h"

namespace pw {

FullEditor::FullEditor(const NoteEditor& source, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(QStringLiteral("Edit Note Text"));
  setSizeGripEnabled(true);

  editor_ = new NoteEditor(this);
  editor_->SetFullEditorEnabled(false);
  editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  editor_->SetBackgroundColor(source.BackgroundColor());
  editor_->SetUrlDetection(source.UrlDetection());
  editor_->SetUrlOpener(source.Opener());
  CopyDocumentInto(*source.document(), editor_);
  editor_->document()->clearUndoRedoStacks();
  editor_->document()->setModified(false);
  editor_->moveCursor(QTextCursor::Start);

  auto* toolBar = new QToolBar(this);
  auto* actions = new NoteEditorActions(editor_, this);
  using enum EditorCommand;
  // Editing and searching stay in the text area's context menu and keys.
  actions->AddTo(
      toolBar, {kFont, kSeparator, kBold, kItalic, kUnderline, kSeparator, kAlignLeft, kAlignCenter,
                kAlignRight, kBullet, kSeparator, kParagraph, kTabs, kSeparator, kInsertObject});

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(toolBar);
  layout->addWidget(editor_, 1);
  layout->addWidget(buttons);
  editor_->setFocus();
  resize(560, 400);
}

void FullEditor::HandBackTo(NoteEditor* target) const {
  CopyDocumentInto(*editor_->document(), target);
}

}  // namespace pw
