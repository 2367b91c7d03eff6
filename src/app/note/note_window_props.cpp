// The note's properties: the dialog is filled from the window's state, and
// after OK the window takes the edited values and saves its record.
#include <QBuffer>
#include <QPointer>

#include "app/note/note_window.h"
#include "dialogs/note_props_dialog.h"
#include "richtext/note_editor.h"

namespace pw {

NoteProps NoteWindow::Props() const {
  NoteProps props;
  QBuffer text;
  if (text.open(QIODevice::WriteOnly) && editor_->SaveToStream(&text)) {
    props.richText = text.data();
  }
  props.urlDetection = editor_->UrlDetection();
  props.title = Title();
  props.showing = true;
  props.stayOnTop = stayOnTopItem_->isChecked();
  props.color = noteColor_;
  props.createdText = createdText_;
  props.captionFont = titleFont_;
  props.captionColor = titleColor_;
  props.reminder = reminder_;
  props.expiry = expiry_;
  return props;
}

void NoteWindow::OpenProperties(NotePropsPage page) {
  // The expiry pass may hide and so delete this window while the dialog is
  // open; the dialog goes with it.
  QPointer<NoteWindow> self(this);
  QPointer<NotePropertiesDialog> dialog = new NotePropertiesDialog(Props(), page, this);
  const int result = dialog->exec();
  if (self.isNull() || dialog.isNull()) return;
  const NoteProps edited = dialog->Props();
  delete dialog;
  if (result == QDialog::Accepted) ApplyProps(edited);
}

void NoteWindow::ApplyProps(const NoteProps& props) {
  QBuffer text;
  text.setData(props.richText);
  if (text.open(QIODevice::ReadOnly)) editor_->LoadFromStream(&text);
  SetTitle(props.title);
  SetStayOnTop(props.stayOnTop);
  SetNoteColor(props.color);
  reminder_ = props.reminder;
  expiry_ = props.expiry;
  SetTitleFont(QFont(props.captionFont.family(), props.captionFont.pointSize()),
               props.captionColor);
  if (!props.showing) {
    HideNote();
    return;
  }
  RecolorButtonGlyphs();
  showingMode_ = ShowingMode::Yes;
  UpdateNote();
}

}  // namespace pw
