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
  pupMenu_ = new QMenu(this);
  pupMenu_->setObjectName(QStringLiteral("PupMenu"));
  connect(
      AddItem(pupMenu_, QStringLiteral("Note &Properties..."), QKeySequence(Qt::CTRL | Qt::Key_P)),
      &QAction::triggered, this, [this] { OpenProperties(NotePropsPage::Settings); });
  connect(AddItem(pupMenu_, QStringLiteral("&Edit Note..."), QKeySequence(Qt::CTRL | Qt::Key_E)),
          &QAction::triggered, richEdit1_, &NoteEditor::OpenFullEditor);
  connect(AddItem(pupMenu_, QStringLiteral("Set Reminder...")), &QAction::triggered, this,
          [this] { OpenProperties(NotePropsPage::Reminder); });
  connect(AddItem(pupMenu_, QStringLiteral("&Hide Note"), QKeySequence(Qt::CTRL | Qt::Key_H)),
          &QAction::triggered, this, &NoteWindow::HideNote);
  connect(AddItem(pupMenu_, QStringLiteral("&Trash Note"), QKeySequence(Qt::CTRL | Qt::Key_T)),
          &QAction::triggered, this, &NoteWindow::TrashNote);
  connect(AddItem(pupMenu_, QStringLiteral("Email Note...")), &QAction::triggered, this,
          &NoteWindow::EmailNote);
  stayOnTop1_ = AddItem(pupMenu_, QStringLiteral("Stay on Top"));
  stayOnTop1_->setCheckable(true);
  connect(stayOnTop1_, &QAction::triggered, this, &NoteWindow::SetStayOnTop);
  pupMenu_->addSeparator();
  pupMenu_->addMenu(host_.NoteTemplateMenu());
  connect(AddItem(pupMenu_, QStringLiteral("&Notes && Reminders..."),
                  QKeySequence(Qt::CTRL | Qt::Key_N)),
          &QAction::triggered, this, &NoteWindow::OpenNotesAndReminders);
  pupMenu_->addSeparator();
  connect(AddItem(pupMenu_, QStringLiteral("Help")), &QAction::triggered, this,
          [this] { host_.Help1Click(); });
  connect(AddItem(pupMenu_, QStringLiteral("About...")), &QAction::triggered, this,
          [this] { host_.About1Click(); });
  pupMenu_->addSeparator();
  connect(AddItem(pupMenu_, QStringLiteral("Configure...")), &QAction::triggered, this,
          [this] { host_.Configure1Click(); });
  // The shortcuts work wherever the focus is in the note.
  addActions(pupMenu_->actions());

  panel1_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(panel1_, &QWidget::customContextMenuRequested, this,
          [this](QPoint position) { pupMenu_->popup(panel1_->mapToGlobal(position)); });
}

void NoteWindow::OpenMenuBelowButton() {
  pupMenu_->popup(mapToGlobal(btnMenu_->pos() + QPoint(0, kMenuBelowButton)));
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
  host_.NotesReminders1Click();
}

void NoteWindow::SetStayOnTop(bool onTop) {
  stayOnTop1_->setChecked(onTop);
  if (onTop == windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return;
  const bool shown = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  // Changing the flags takes a shown window off the screen.
  if (shown) show();
}

void NoteWindow::EmailNote() {
  richEdit1_->selectAll();
  richEdit1_->copy();
  const QString text = richEdit1_->PlainText();
  if (!richEdit1_->Opener()->Open(MailUrlForBody(text))) ShowNoMailProgramBox(this, text);
}

}  // namespace pw
