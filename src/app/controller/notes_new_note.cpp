// New notes from the ten templates, and the menus that offer them.
#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <algorithm>

#include "app/controller/note_placement.h"
#include "app/controller/notes_main.h"
#include "app/controller/template_placeholders.h"
#include "app/maintain/template_boards.h"
#include "app/note/note_window.h"
#include "app/note/template_menu.h"
#include "app/record/note_fields.h"
#include "app/record/note_record.h"
#include "common/date_text.h"
#include "dataset/dbf_table.h"
#include "dialogs/template_values.h"
#include "richtext/note_editor.h"

namespace pw {

void NotesController::onNewNote(QMenu* submenu) {
  FillTemplateMenu(submenu->actions());
}

void NotesController::onTemplateMenuAboutToShow() {
  const QList<QAction*> items = templateMenu_->actions().mid(0, kTemplateCount);
  FillTemplateMenu(items);
  const bool noneSet = std::none_of(items.begin(), items.end(),
                                    [](const QAction* item) { return item->isVisible(); });
  noTemplateSet_->setVisible(noneSet);
  configureTemplates_->setVisible(noneSet);
}

void NotesController::FillTemplateMenu(const QList<QAction*>& items) {
  // Items without a template record stay hidden (an empty templates table
  // offers nothing).
  for (QAction* item : items) item->setVisible(false);
  for (const TemplateBoard& customised : CustomisedTemplates(*templatesTable_)) {
    if (customised.number > items.size()) break;
    QAction* item = items[customised.number - 1];
    item->setText(customised.caption);
    item->setData(customised.number);
    item->setVisible(true);
  }
}

QPoint NotesController::CascadeNewNote(QPoint place, QSize note, QRect screen) {
  // A new note does not open exactly over an open one: it moves on by an
  // offset until its place is free, or starts again where the screen ends.
  QList<QPoint> taken;
  for (const NoteWindow* open : NoteWindowParent()->findChildren<NoteWindow*>()) {
    if (open->isVisible()) taken << open->pos();
  }
  for (int step = 0;; ++step) {
    const std::optional<QPoint> cascaded = CascadedPlace(place, step, note, screen);
    if (!cascaded) return place;
    if (!taken.contains(*cascaded)) return *cascaded;
  }
}

NoteWindow* NotesController::NewNoteFromTemplate(int number) {
  DbfTable& notes = *notesTable_;
  DbfTable& defaults = *templatesTable_;
  if (!notes.Active() || !defaults.Active()) return nullptr;
  auto* window = new NoteWindow(*this);
  defaults.Go(number);
  const bool templateFound =
      defaults.LastError() == 0 && !defaults.Eof() && defaults.RecNo() == number;
  CopyNoteRecord(defaults, notes);
  // An empty templates table (a first start) has no record to copy: the
  // note gets the window's design size and colour instead of a size of 0.
  if (!templateFound) {
    notes.SetFieldInt(note_field::kWidth, NoteWindow::kDesignSize.width());
    notes.SetFieldInt(note_field::kHeight, NoteWindow::kDesignSize.height());
    notes.SetFieldInt(note_field::kColor, NoteWindow::kDefaultColor);
  }

  const QDateTime now = QDateTime::currentDateTime();
  const QDate today = now.date();
  const QSize screen =
      screenSize_.isValid() ? screenSize_ : QGuiApplication::primaryScreen()->size();
  const QSize noteSize(notes.GetFieldInt(note_field::kWidth),
                       notes.GetFieldInt(note_field::kHeight));
  const QPoint place = CascadeNewNote(PlaceNewNote(defaults.GetFieldInt(note_field::kLeft),
                                                   noteSize.width(), noteSize.height(), screen),
                                      noteSize, QRect(QPoint(0, 0), screen));
  const QString created = QString::fromLatin1(DateFrom(today.year(), today.month(), today.day()));
  notes.SetFieldInt(note_field::kHandle, window->Handle());
  notes.SetFieldDate(note_field::kDateCreate, created);
  window->SetCreatedText(created);
  notes.SetFieldInt(note_field::kLeft, place.x());
  notes.SetFieldInt(note_field::kTop, place.y());
  notes.SetFieldStr(note_field::kShowing, QStringLiteral("Y"));
  notes.SetFieldStr(note_field::kNoteBoard, QString::number(number));
  // A new note takes the template's look and text only: not its name, nor
  // a reminder or expiry another program wrote into the template (the
  // next minute pass would ring it or move the new note to the trash).
  notes.SetFieldStr(note_field::kDesc, QString());
  window->SetReminder({false, 0, today, now.time()});
  window->SetExpiry({false, 1, true, today, now.time()});
  window->WriteNoteState(notes);
  window->LoadMemo(notes);

  if (!AppendUnderLock(notes)) {
    // Without its own record the window would write over another note's.
    window->close();
    return nullptr;
  }
  window->SetRecordLink(notes.RecNo());
  window->ApplyRecordLook(notes);
  window->Editor()->SetUrlDetection(settings_.enableURL);
  window->show();
  FillPlaceholders(*window->Editor(), PlaceholderValuesAt(now, QLocale::system()));
  return window;
}

}  // namespace pw
