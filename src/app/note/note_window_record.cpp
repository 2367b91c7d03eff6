// The note window and its record: loading from the record, finding the
// record again, saving into it, and trashing it.
#include <QCoreApplication>
#include <QFont>
#include <cmath>
#include <memory>

#include "app/controller/note_record.h"
#include "app/controller/note_values.h"
#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "common/error_state.h"
#include "dataset/tz_dbf.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

bool IsYes(TTzDbf& table, const char* field) {
  return table.GetFieldStr(QString::fromLatin1(field)) == QStringLiteral("Y");
}

QString YesNo(bool value) {
  return value ? QStringLiteral("Y") : QStringLiteral("N");
}

// A date field that does not read as a date gives today.
QDate DateOrToday(TTzDbf& table, const char* field) {
  const QDate date = DateOfText(table.GetFieldDate(QString::fromLatin1(field)));
  return date.isValid() ? date : QDate::currentDate();
}

}  // namespace

void TFrmNote::ApplyRecordLook(TTzDbf& notes) {
  setGeometry(notes.GetFieldInt(QStringLiteral("LEFT")), notes.GetFieldInt(QStringLiteral("TOP")),
              notes.GetFieldInt(QStringLiteral("WIDTH")),
              notes.GetFieldInt(QStringLiteral("HEIGHT")));
  SetNoteColor(ColorOfWindowsValue(notes.GetFieldInt(QStringLiteral("COLOR"))));
  SetStayOnTop(IsYes(notes, "STAYONTOP"));
  QFont font = titleFont_;
  const QString face = notes.GetFieldStr(QStringLiteral("CAPFONTNAM")).trimmed();
  if (!face.isEmpty()) font.setFamily(face);
  const long size = std::lrint(notes.GetFieldFloat(QStringLiteral("CAPFONTSIZ")));
  if (size > 0) font.setPointSize(static_cast<int>(size));
  SetTitleFont(font, ColorOfWindowsValue(notes.GetFieldInt(QStringLiteral("CAPFONTCOL"))));
}

void TFrmNote::LoadMemo(TTzDbf& notes) {
  std::unique_ptr<TTzBlobStream> memo =
      notes.CreateBlobStreamByName(QStringLiteral("MEMO"), TTzBlobStream::kRead);
  if (!memo || !memo->isOpen()) return;
  richEdit1_->LoadFromStream(memo.get());
  memo->Finish();
}

void TFrmNote::LoadNoteState(TTzDbf& notes) {
  reminder_.active = IsYes(notes, "ALARMACT");
  reminder_.recurrence = notes.GetFieldInt(QStringLiteral("ALARMTYPE"));
  reminder_.date = DateOrToday(notes, "ALARMDATE");
  reminder_.time = TimeOfText(notes.GetFieldStr(QStringLiteral("ALARMTIME")));
  expiry_.expires = IsYes(notes, "EXPIRES");
  expiry_.type = notes.GetFieldInt(QStringLiteral("EXPIRETYPE"));
  expiry_.movesToTrash = IsYes(notes, "EXPIRETRSH");
  expiry_.date = DateOrToday(notes, "EXPIREDATE");
  expiry_.time = TimeOfText(notes.GetFieldStr(QStringLiteral("EXPIRETIME")));
}

void TFrmNote::ShowFromRecord() {
  TTzDbf& notes = notesMain_.TzNotes();
  recordLink_ = notes.RecNo();
  ApplyRecordLook(notes);
  SetTitle(notes.GetFieldStr(QStringLiteral("DESC")).trimmed());
  richEdit1_->SetUrlDetection(notesMain_.Settings().enableURL);
  SetCreatedText(notes.GetFieldDate(QStringLiteral("DATECREATE")));
  if (IsYes(notes, "MINIMIZED")) {
    collapsed_ = true;
    expandedSize_ = size();
    ShowCollapsedAtOnce();
  }
  LoadMemo(notes);
  LoadNoteState(notes);
  notes.SetFieldInt(QStringLiteral("HANDLE"), handle_);
  if (notes.RLock()) {
    notes.ReplaceRec();
  } else {
    notes.Cancel();
  }
  notes.UnLock();
  KeepOnScreen();
  show();
}

bool TFrmNote::MoveToNoteRecord() {
  if (recordLink_ == 0) return false;
  TTzDbf& notes = notesMain_.TzNotes();
  const QString savedTag = notes.CurrentTag();
  notes.SetOrderToTag(QStringLiteral("HANDLE"));
  ClearEngineError();
  notes.Go(recordLink_);
  const bool found = EngineErrorCode() == 0;
  if (savedTag.isEmpty()) {
    notes.SetOrderTo(0);
  } else {
    notes.SetOrderToTag(savedTag);
  }
  return found;
}

void TFrmNote::UpdateNote() {
  saved_ = true;
  if (!MoveToNoteRecord()) return;
  TTzDbf& notes = notesMain_.TzNotes();
  WriteRecordFields(notes);
  if (SaveMemo(notes) && notes.RLock()) {
    notes.Post();
  } else {
    notes.Cancel();
  }
  notes.UnLock();
}

void TFrmNote::WriteRecordFields(TTzDbf& notes) {
  if (showingMode_ != ShowingMode::Keep) {
    notes.SetFieldStr(QStringLiteral("SHOWING"), YesNo(showingMode_ == ShowingMode::Yes));
  }
  notes.SetFieldInt(QStringLiteral("COLOR"), WindowsValueOfColor(noteColor_));
  const QRect bounds = geometry();
  notes.SetFieldStr(QStringLiteral("MINIMIZED"), YesNo(collapsed_));
  // The record always holds the expanded window; a collapsed one keeps its
  // right edge.
  const QSize expanded = collapsed_ ? expandedSize_ : bounds.size();
  notes.SetFieldInt(QStringLiteral("LEFT"), bounds.left() + bounds.width() - expanded.width());
  notes.SetFieldInt(QStringLiteral("WIDTH"), expanded.width());
  notes.SetFieldInt(QStringLiteral("HEIGHT"), expanded.height());
  notes.SetFieldInt(QStringLiteral("TOP"), bounds.top());
  notes.SetFieldStr(QStringLiteral("DESC"), Title());
  notes.SetFieldStr(QStringLiteral("STAYONTOP"), YesNo(stayOnTop1_->isChecked()));
  notes.SetFieldStr(QStringLiteral("ALARMACT"), YesNo(reminder_.active));
  notes.SetFieldDate(QStringLiteral("ALARMDATE"), DateText(reminder_.date));
  notes.SetFieldInt(QStringLiteral("ALARMTYPE"), reminder_.recurrence);
  notes.SetFieldStr(QStringLiteral("ALARMTIME"), TimeText(reminder_.time));
  notes.SetFieldStr(QStringLiteral("EXPIRES"), YesNo(expiry_.expires));
  notes.SetFieldDate(QStringLiteral("EXPIREDATE"), DateText(expiry_.date));
  notes.SetFieldInt(QStringLiteral("EXPIRETYPE"), expiry_.type);
  notes.SetFieldStr(QStringLiteral("EXPIRETIME"), TimeText(expiry_.time));
  notes.SetFieldStr(QStringLiteral("EXPIRETRSH"), YesNo(expiry_.movesToTrash));
  notes.SetFieldStr(QStringLiteral("CAPFONTNAM"), titleFont_.family());
  notes.SetFieldFloat(QStringLiteral("CAPFONTSIZ"), titleFont_.pointSize());
  notes.SetFieldInt(QStringLiteral("CAPFONTCOL"), WindowsValueOfColor(titleColor_));
}

bool TFrmNote::SaveMemo(TTzDbf& notes) {
  std::unique_ptr<TTzBlobStream> memo =
      notes.CreateBlobStreamByName(QStringLiteral("MEMO"), TTzBlobStream::kReadWrite);
  if (!memo || !memo->isOpen()) return false;
  const bool written = richEdit1_->SaveToStream(memo.get());
  // A memo that could not be written completely keeps the record's old text.
  return memo->Finish() && written;
}

void TFrmNote::TrashNote() {
  if (!MoveToNoteRecord()) return;
  saved_ = true;
  showingMode_ = ShowingMode::Keep;
  UpdateNote();
  TTzDbf& notes = notesMain_.TzNotes();
  TTzDbf& trash = notesMain_.TzTrash();
  CopyNoteRecord(notes, trash);
  if (!trash.ALock()) {
    trash.Cancel();
    trash.UnLock();
    return;
  }
  trash.AppendRec();
  trash.UnLock();
  if (notes.RLock()) notes.DeleteRec();
  notes.UnLock();
  QCoreApplication::processEvents();
  close();
}

}  // namespace pw
