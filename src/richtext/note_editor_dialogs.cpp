// NoteEditor: the commands that ask the user first, through a dialog.
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>

#include "richtext/find_dialog.h"
#include "richtext/full_editor.h"
#include "richtext/note_editor.h"
#include "richtext/note_editor_actions.h"
#include "richtext/paragraph_dialog.h"
#include "richtext/replace_dialog.h"
#include "richtext/tabs_dialog.h"

namespace pw {

QMenu* NoteEditor::CreateContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  auto* actions = new NoteEditorActions(this, menu);
  using enum EditorCommand;
  actions->AddTo(menu, {kEdit, kSeparator, kCut, kCopy, kPaste, kSeparator, kBold, kItalic,
                        kUnderline, kSeparator, kFont, kBullet, kParagraph, kTabs, kSeparator,
                        kFind, kReplace, kSeparator, kInsertObject});
  return menu;
}

void NoteEditor::OpenFullEditor() {
  if (!fullEditorEnabled_ || isReadOnly()) return;
  FullEditor editor(*this, window());
  if (editor.exec() != QDialog::Accepted) return;
  editor.HandBackTo(this);
  emit fullEditorAccepted();
}

void NoteEditor::ChooseFont() {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, currentCharFormat().font(), this, tr("Font"));
  if (chosen) ApplyFont(font);
}

void NoteEditor::EditParagraph() {
  ParagraphDialog dialog(this);
  dialog.SetSettings(CurrentParagraph());
  if (dialog.exec() == QDialog::Accepted) ApplyParagraph(dialog.Settings());
}

void NoteEditor::EditTabs() {
  TabsDialog dialog(this);
  dialog.SetTabStops(CurrentTabStops());
  if (dialog.exec() == QDialog::Accepted) ApplyTabStops(dialog.TabStops());
}

void NoteEditor::ConnectSearchDialog(FindDialog* dialog) {
  connect(dialog, &FindDialog::findNextRequested, this, [this, dialog] {
    if (!FindNext(dialog->FindText(), dialog->Flags())) dialog->ShowNotFound();
  });
}

void NoteEditor::ShowFindDialog() {
  if (findDialog_ == nullptr) {
    findDialog_ = new FindDialog(this);
    ConnectSearchDialog(findDialog_);
  }
  if (textCursor().hasSelection()) findDialog_->SetFindText(textCursor().selectedText());
  findDialog_->show();
  findDialog_->raise();
  findDialog_->activateWindow();
}

void NoteEditor::ShowReplaceDialog() {
  if (replaceDialog_ == nullptr) {
    replaceDialog_ = new ReplaceDialog(this);
    ReplaceDialog* dialog = replaceDialog_;
    ConnectSearchDialog(dialog);
    connect(dialog, &ReplaceDialog::replaceRequested, this, [this, dialog] {
      if (!ReplaceNext(dialog->FindText(), dialog->ReplaceText(), dialog->Flags())) {
        dialog->ShowNotFound();
      }
    });
    connect(dialog, &ReplaceDialog::replaceAllRequested, this, [this, dialog] {
      const int count = ReplaceAll(dialog->FindText(), dialog->ReplaceText(), dialog->Flags());
      if (count == 0) {
        dialog->ShowNotFound();
      } else {
        dialog->ShowMessage(tr("%n occurrence(s) replaced.", nullptr, count));
      }
    });
  }
  if (textCursor().hasSelection()) replaceDialog_->SetFindText(textCursor().selectedText());
  replaceDialog_->show();
  replaceDialog_->raise();
  replaceDialog_->activateWindow();
}

void NoteEditor::ChooseImageFile() {
  const QString path =
      QFileDialog::getOpenFileName(this, tr("Insert Object"), QString(),
                                   tr("Pictures (*.png *.jpg *.jpeg *.bmp *.gif);;All files (*)"));
  if (path.isEmpty()) return;
  if (!InsertImageFile(path)) {
    QMessageBox::warning(this, tr("Insert Object"),
                         tr("The file \"%1\" does not hold a picture that can be shown.")
                             .arg(QDir::toNativeSeparators(path)));
  }
}

}  // namespace pw
