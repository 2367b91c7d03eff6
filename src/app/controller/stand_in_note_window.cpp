#include "app/controller/stand_in_note_window.h"

#include <QVBoxLayout>
#include <memory>

#include "dataset/tz_dbf.h"
#include "richtext/note_editor.h"

namespace pw {

QColor ColorOfWindowsValue(std::int32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

StandInNoteWindow::StandInNoteWindow(TTzDbf& notes, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      notes_(notes),
      editor_(new NoteEditor(this)),
      handle_(RegisterNoteWindow(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 12, 4, 4);
  layout->addWidget(editor_);
}

StandInNoteWindow::~StandInNoteWindow() {
  UnregisterNoteWindow(handle_);
}

void StandInNoteWindow::ApplyRecordLook() {
  setGeometry(notes_.GetFieldInt("LEFT"), notes_.GetFieldInt("TOP"), notes_.GetFieldInt("WIDTH"),
              notes_.GetFieldInt("HEIGHT"));
  const QColor color = ColorOfWindowsValue(notes_.GetFieldInt("COLOR"));
  setStyleSheet(QStringLiteral("background-color: %1;").arg(color.name()));
  editor_->SetBackgroundColor(color);
  setWindowFlag(Qt::WindowStaysOnTopHint, notes_.GetFieldStr("STAYONTOP") == "Y");
}

void StandInNoteWindow::LoadText() {
  std::unique_ptr<TTzBlobStream> memo = notes_.CreateBlobStreamByName("MEMO", TTzBlobStream::kRead);
  if (memo && memo->isOpen()) {
    editor_->LoadFromStream(memo.get());
    memo->Finish();
  }
}

void StandInNoteWindow::NoteRequest(int message, int firstParameter, int /*secondParameter*/) {
  if (firstParameter != kRequestParameter) return;
  if (message == kHideNoteRequest) {
    SaveRecord(false);
    close();
  } else if (message == kSaveAndCloseNoteRequest) {
    SaveRecord(true);
    close();
  }
}

void StandInNoteWindow::SaveRecord(bool showing) {
  notes_.Go(recordLink_);
  if (notes_.Eof() || notes_.RecNo() != recordLink_) return;
  const QRect place = geometry();
  notes_.SetFieldInt("LEFT", place.left());
  notes_.SetFieldInt("TOP", place.top());
  notes_.SetFieldInt("WIDTH", place.width());
  notes_.SetFieldInt("HEIGHT", place.height());
  notes_.SetFieldStr("SHOWING", showing ? "Y" : "N");
  std::unique_ptr<TTzBlobStream> memo =
      notes_.CreateBlobStreamByName("MEMO", TTzBlobStream::kWrite);
  if (!memo || !memo->isOpen() || !editor_->SaveToStream(memo.get()) || !memo->Finish()) return;
  if (notes_.RLock()) notes_.ReplaceRec();
  notes_.UnLock();
}

}  // namespace pw
