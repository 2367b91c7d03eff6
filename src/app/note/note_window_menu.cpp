// The note's menu and the commands that need no record: the title dialog,
// stay-on-top and e-mail.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "app/note/note_host.h"
#include "app/note/note_window.h"
#include "desktop/mail_url.h"
#include "dialogs/no_mail_program_box.h"
#include "dialogs/note_caption_dialog.h"
#include "dialogs/note_props_dialog.h"
#include "richtext/note_editor.h"
#include "richtext/url_opener.h"

namespace pw {

namespace {

// Below the menu button: its top plus this many pixels.
constexpr int kMenuBelowButton = 12;

QAction* AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {}) {
  QAction* item = menu->addAction(caption);
  item->setShortcut(shortcut);
  return item;
}

}  // namespace

void NoteWindow::BuildMenu() {
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName(QStringLiteral("PupMenu"));
  connect(AddItem(popupMenu_, QStringLiteral("Note &Properties..."),
                  QKeySequence(Qt::CTRL | Qt::Key_P)),
          &QAction::triggered, this, [this] { OpenProperties(NotePropsPage::Settings); });
  connect(AddItem(popupMenu_, QStringLiteral("&Edit Note..."), QKeySequence(Qt::CTRL | Qt::Key_E)),
          &QAction::triggered, editor_, &NoteEditor::OpenFullEditor);
  connect(AddItem(popupMenu_, QStringLiteral("Set Reminder...")), &QAction::triggered, this,
          [this] { OpenProperties(NotePropsPage::Reminder); });
  connect(AddItem(popupMenu_, QStringLiteral("&Hide Note"), QKeySequence(Qt::CTRL | Qt::Key_H)),
          &QAction::triggered, this, &NoteWindow::HideNote);
  connect(AddItem(popupMenu_, QStringLiteral("&Trash Note"), QKeySequence(Qt::CTRL | Qt::Key_T)),
          &QAction::triggered, this, &NoteWindow::TrashNote);
  connect(AddItem(popupMenu_, QStringLiteral("Email Note...")), &QAction::triggered, this,
          &NoteWindow::EmailNote);
  stayOnTopItem_ = AddItem(popupMenu_, QStringLiteral("Stay on Top"));
  stayOnTopItem_->setCheckable(true);
  connect(stayOnTopItem_, &QAction::triggered, this, &NoteWindow::SetStayOnTop);
  popupMenu_->addSeparator();
  popupMenu_->addMenu(host_.NoteTemplateMenu());
  connect(AddItem(popupMenu_, QStringLiteral("&Notes && Reminders..."),
                  QKeySequence(Qt::CTRL | Qt::Key_N)),
          &QAction::triggered, this, &NoteWindow::OpenNotesAndReminders);
  popupMenu_->addSeparator();
  connect(AddItem(popupMenu_, QStringLiteral("Help")), &QAction::triggered, this,
          [this] { host_.onHelp(); });
  connect(AddItem(popupMenu_, QStringLiteral("About...")), &QAction::triggered, this,
          [this] { host_.onAbout(); });
  popupMenu_->addSeparator();
  connect(AddItem(popupMenu_, QStringLiteral("Configure...")), &QAction::triggered, this,
          [this] { host_.onConfigure(); });
  // The shortcuts work wherever the focus is in the note.
  addActions(popupMenu_->actions());

  captionBar_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(captionBar_, &QWidget::customContextMenuRequested, this,
          [this](QPoint position) { popupMenu_->popup(captionBar_->mapToGlobal(position)); });
}

void NoteWindow::OpenMenuBelowButton() {
  popupMenu_->popup(mapToGlobal(menuButton_->pos() + QPoint(0, kMenuBelowButton)));
}

void NoteWindow::EditCaption() {
  // The double click's own presses are ignored while the dialog opens; the
  // press after it closes is the user's next drag.
  ignoreNextPress_ = true;
  NoteCaptionDialog dialog(Title(), this);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  ignoreNextPress_ = false;
  if (accepted) SetTitle(dialog.Title());
}

void NoteWindow::OpenNotesAndReminders() {
  // The window lists what the record holds: the note is saved first.
  showingMode_ = ShowingMode::Keep;
  UpdateNote();
  host_.onNotesAndReminders();
}

void NoteWindow::SetStayOnTop(bool onTop) {
  stayOnTopItem_->setChecked(onTop);
  if (onTop == windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return;
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  // Changing the flags takes a shown window off the screen.
  if (shown) show();
}

void NoteWindow::EmailNote() {
  editor_->selectAll();
  editor_->copy();
  const QString text = editor_->PlainText();
  if (!editor_->Opener()->Open(MailUrlForBody(text))) ShowNoMailProgramBox(this, text);
}

}  // namespace pw
