// The note window and its record: loading from the record, finding the
// record again, saving into it, and trashing it.
#include <QCoreApplication>
#include <QFont>
#include <QStringList>
#include <QTextDocument>
#include <QTimer>
#include <cmath>
#include <memory>

#include "app/note/note_host.h"
#include "app/note/note_window.h"
#include "app/record/note_caption.h"
#include "app/record/note_fields.h"
#include "app/record/note_values.h"
#include "dataset/dbf_table.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

bool IsYes(DbfTable& table, const char* field) {
  return table.GetFieldStr(QString::fromLatin1(field)) == QStringLiteral("Y");
}

QString YesNo(bool value) {
  return value ? QStringLiteral("Y") : QStringLiteral("N");
}

// A date field that does not read as a date gives today.
QDate DateOrToday(DbfTable& table, const char* field) {
  const QDate date = DateOfText(table.GetFieldDate(QString::fromLatin1(field)));
  return date.isValid() ? date : QDate::currentDate();
}

// The fields but the memo reference, as text: a save that leaves them all
// as they were has no record to write.
QStringList FieldTexts(DbfTable& table) {
  QStringList texts;
  for (const DbfFieldProperty& field : table.FieldProps()) {
    if (field.type != 'M') texts.append(table.GetFieldStr(field.name));
  }
  return texts;
}

}  // namespace

void NoteWindow::ApplyRecordLook(DbfTable& notes) {
  setGeometry(notes.GetFieldInt(note_field::kLeft), notes.GetFieldInt(note_field::kTop),
              notes.GetFieldInt(note_field::kWidth), notes.GetFieldInt(note_field::kHeight));
  // Until the user moves or sizes the note, this place is its own, wherever
  // a window manager or compositor shows it; its size, until the user sizes
  // it, whatever a scale factor's rounding makes of it.
  storedPlace_ = pos();
  storedSize_ = size();
  SetNoteColor(ColorOfWindowsValue(notes.GetFieldInt(note_field::kColor)));
  SetStayOnTop(IsYes(notes, note_field::kStayOnTop));
  QFont font = titleFont_;
  const QString face = notes.GetFieldStr(note_field::kCapFontNam).trimmed();
  if (!face.isEmpty()) font.setFamily(face);
  const long size = std::lrint(notes.GetFieldFloat(note_field::kCapFontSiz));
  if (size > 0) font.setPointSize(static_cast<int>(size));
  SetTitleFont(font, ColorOfWindowsValue(notes.GetFieldInt(note_field::kCapFontCol)));
}

void NoteWindow::LoadMemo(DbfTable& notes) {
  std::unique_ptr<MemoStream> memo =
      notes.CreateBlobStreamByName(note_field::kMemo, MemoStream::kRead);
  if (!memo || !memo->isOpen()) return;
  editor_->LoadFromStream(memo.get());
  memo->Finish();
  // The record holds this text already.
  memoChanged_ = false;
}

void NoteWindow::LoadNoteState(DbfTable& notes) {
  reminder_.active = IsYes(notes, note_field::kAlarmAct);
  reminder_.recurrence = notes.GetFieldInt(note_field::kAlarmType);
  reminder_.date = DateOrToday(notes, note_field::kAlarmDate);
  reminder_.time = TimeOfText(notes.GetFieldStr(note_field::kAlarmTime));
  expiry_.expires = IsYes(notes, note_field::kExpires);
  expiry_.type = notes.GetFieldInt(note_field::kExpireType);
  expiry_.movesToTrash = IsYes(notes, note_field::kExpireTrsh);
  expiry_.date = DateOrToday(notes, note_field::kExpireDate);
  expiry_.time = TimeOfText(notes.GetFieldStr(note_field::kExpireTime));
}

void NoteWindow::ShowFromRecord() {
  DbfTable& notes = host_.NotesTable();
  recordLink_ = notes.RecNo();
  ApplyRecordLook(notes);
  editor_->SetUrlDetection(host_.Settings().enableURL);
  SetCreatedText(notes.GetFieldDate(note_field::kDateCreate));
  if (IsYes(notes, note_field::kMinimized)) {
    collapsed_ = true;
    expandedSize_ = size();
    ShowCollapsedAtOnce();
  }
  LoadMemo(notes);
  SetTitle(CaptionOfRecord(notes, *editor_->document()));
  LoadNoteState(notes);
  notes.SetFieldInt(note_field::kHandle, handle_);
  if (notes.RLock()) {
    notes.ReplaceRec();
  } else {
    notes.Cancel();
  }
  notes.UnLock();
  KeepOnScreen();
  show();
}

bool NoteWindow::MoveToNoteRecord() {
  if (recordLink_ == 0) return false;
  DbfTable& notes = host_.NotesTable();
  const QString savedTag = notes.CurrentTag();
  notes.SetOrderToTag(note_tag::kHandle);
  notes.Go(recordLink_);
  const bool found = notes.LastError() == 0;
  if (savedTag.isEmpty()) {
    notes.SetOrderTo(0);
  } else {
    notes.SetOrderToTag(savedTag);
  }
  return found;
}

void NoteWindow::UpdateNote() {
  saved_ = true;
  WriteRecord(showingMode_);
}

NoteWindow::SaveResult NoteWindow::WriteRecord(ShowingMode showing) {
  autosaveTimer_->stop();
  if (!MoveToNoteRecord()) return SaveResult::NoRecord;
  DbfTable& notes = host_.NotesTable();
  const QStringList stored = FieldTexts(notes);
  WriteRecordFields(notes, showing);
  // The memo holds the exact title that DESC cannot spell: a new one is a
  // changed memo.
  if (editor_->document()->metaInformation(QTextDocument::DocumentTitle) != TitleToKeep(Title())) {
    memoChanged_ = true;
  }
  // A record that holds the window already is not written again, and an
  // unchanged text keeps its memo entry: a save of an unchanged note
  // touches no file.
  if (!memoChanged_ && FieldTexts(notes) == stored) {
    notes.Cancel();
    return SaveResult::Written;
  }
  SaveResult result = SaveResult::Refused;
  if ((!memoChanged_ || SaveMemo(notes)) && notes.RLock()) {
    notes.Post();
    if (notes.LastError() == 0) {
      result = SaveResult::Written;
      memoChanged_ = false;
    } else {
      notes.Cancel();
    }
  } else {
    notes.Cancel();
  }
  notes.UnLock();
  return result;
}

void NoteWindow::WriteRecordFields(DbfTable& notes, ShowingMode showing) {
  if (showing != ShowingMode::Keep) {
    notes.SetFieldStr(note_field::kShowing, YesNo(showing == ShowingMode::Yes));
  }
  notes.SetFieldInt(note_field::kColor, WindowsValueOfColor(noteColor_));
  notes.SetFieldStr(note_field::kMinimized, YesNo(collapsed_));
  const QSize expanded = storedSize_.value_or(collapsed_ ? expandedSize_ : size());
  const QPoint place = storedPlace_.value_or(ExpandedPlace());
  notes.SetFieldInt(note_field::kLeft, place.x());
  notes.SetFieldInt(note_field::kWidth, expanded.width());
  notes.SetFieldInt(note_field::kHeight, expanded.height());
  notes.SetFieldInt(note_field::kTop, place.y());
  notes.SetFieldStr(note_field::kDesc, Title());
  notes.SetFieldStr(note_field::kStayOnTop, YesNo(stayOnTopItem_->isChecked()));
  WriteScheduleFields(notes);
  notes.SetFieldStr(note_field::kCapFontNam, titleFont_.family());
  notes.SetFieldFloat(note_field::kCapFontSiz, titleFont_.pointSize());
  notes.SetFieldInt(note_field::kCapFontCol, WindowsValueOfColor(titleColor_));
}

void NoteWindow::WriteScheduleFields(DbfTable& notes) const {
  notes.SetFieldStr(note_field::kAlarmAct, YesNo(reminder_.active));
  notes.SetFieldDate(note_field::kAlarmDate, DateText(reminder_.date));
  notes.SetFieldInt(note_field::kAlarmType, reminder_.recurrence);
  notes.SetFieldStr(note_field::kAlarmTime, TimeText(reminder_.time));
  notes.SetFieldStr(note_field::kExpires, YesNo(expiry_.expires));
  notes.SetFieldDate(note_field::kExpireDate, DateText(expiry_.date));
  notes.SetFieldInt(note_field::kExpireType, expiry_.type);
  notes.SetFieldStr(note_field::kExpireTime, TimeText(expiry_.time));
  notes.SetFieldStr(note_field::kExpireTrsh, YesNo(expiry_.movesToTrash));
}

void NoteWindow::WriteNoteState(DbfTable& notes) const {
  WriteScheduleFields(notes);
  notes.SetFieldStr(note_field::kDateAlmAct, QString());
  notes.SetFieldStr(note_field::kTimeAlmAct, QString());
}

QPoint NoteWindow::ExpandedPlace() const {
  // The record always holds the expanded window; a collapsed one keeps its
  // right edge.
  const int expandedWidth = collapsed_ ? expandedSize_.width() : width();
  return {x() + width() - expandedWidth, y()};
}

bool NoteWindow::SaveMemo(DbfTable& notes) {
  std::unique_ptr<MemoStream> memo =
      notes.CreateBlobStreamByName(note_field::kMemo, MemoStream::kReadWrite);
  if (!memo || !memo->isOpen()) return false;
  // DESC keeps what its code page can spell; the memo keeps the exact title.
  editor_->document()->setMetaInformation(QTextDocument::DocumentTitle, TitleToKeep(Title()));
  const bool written = editor_->SaveToStream(memo.get());
  // A memo that could not be written completely keeps the record's old text.
  return memo->Finish() && written;
}

void NoteWindow::TrashNote() {
  if (!MoveToNoteRecord()) return;
  saved_ = true;
  showingMode_ = ShowingMode::Keep;
  UpdateNote();
  if (!host_.CopyNoteToTrash()) return;
  DbfTable& notes = host_.NotesTable();
  if (notes.RLock()) notes.DeleteRec();
  notes.UnLock();
  QCoreApplication::processEvents();
  close();
}

}  // namespace pw
