// The component's cursor: the current record of its record set, kept equal
// to the engine's position in the component's work area, and the writes of
// the record set with their lock requests.
#include <cstring>

#include "common/error_state.h"
#include "dataset/dataset_error.h"
#include "dataset/dataset_ui.h"
#include "dataset/dbf_table.h"
#include "engine/table/append.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/go_top.h"
#include "engine/table/lock.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_buffer.h"
#include "engine/table/replace.h"
#include "engine/table/resync.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

void RaiseReadOnly() {
  RaiseDatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
}

}  // namespace

void DbfTable::ReadEngineRecord() {
  const pw::WorkArea& area = CurrentArea();
  buffer_.assign(area.image, area.image + area.imageSize);
  recNo_ = pw::dEOF() ? 0 : pw::RecNo();
}

void DbfTable::CopyBufferToEngine() {
  pw::WorkArea& area = CurrentArea();
  if (buffer_.size() == area.imageSize) std::memcpy(area.image, buffer_.data(), buffer_.size());
}

void DbfTable::SyncFirst() {
  // Only a real move: going to the record the engine is on would re-read it
  // and drop field values already set in the engine's buffer.
  if (recNo_ < 1 || recNo_ > pw::RecCount()) return;
  if (pw::RecNo() != recNo_ || pw::dEOF()) pw::Go(recNo_);
}

void DbfTable::Reposition() {
  pw::Resync();
}

void DbfTable::MoveToLast() {
  pw::GoBottom();
  ReadEngineRecord();
  bof_ = recNo_ == 0;
  eof_ = true;
}

void DbfTable::ResyncRecordSet() {
  if (EngineErrorCode() != 0) return;
  state_ = RecordSetState::kBrowse;
  if (pw::dEOF()) {
    // Off the end: the last visible record, or none at all.
    MoveToLast();
  } else {
    ReadEngineRecord();
    bof_ = false;
    eof_ = false;
  }
  emit RecordChanged(this);
  emit AfterScroll(this);
}

std::int32_t DbfTable::RecordCount() {
  if (!SelectArea("RecordCount")) return 0;
  return pw::RecCount();
}

void DbfTable::First() {
  if (!SelectArea("First")) return;
  emit BeforeScroll(this);
  state_ = RecordSetState::kBrowse;
  // Records another program or work area appended since the open count too.
  pw::RecCount();
  pw::GoTop();
  ReadEngineRecord();
  bof_ = true;
  eof_ = recNo_ == 0;
  emit RecordChanged(this);
  emit AfterScroll(this);
}

void DbfTable::Last() {
  if (!SelectArea("Last")) return;
  emit BeforeScroll(this);
  state_ = RecordSetState::kBrowse;
  MoveToLast();
  emit RecordChanged(this);
  emit AfterScroll(this);
}

int DbfTable::MoveBy(int distance) {
  if (!SelectArea("MoveBy") || distance == 0) return 0;
  emit BeforeScroll(this);
  state_ = RecordSetState::kBrowse;
  if (IsEmpty()) {
    emit AfterScroll(this);
    return 0;
  }
  pw::RecCount();  // reach records appended elsewhere
  SyncFirst();
  const int step = distance > 0 ? 1 : -1;
  int moved = 0;
  bool ranOut = false;
  while (moved != distance) {
    const std::int32_t here = pw::RecNo();
    pw::Skip(step);
    if (step > 0 && pw::dEOF()) {
      pw::Go(here);
      ranOut = true;
      break;
    }
    if (step < 0 && pw::dBOF()) {
      ranOut = true;
      break;
    }
    moved += step;
  }
  ClearEngineError();
  ReadEngineRecord();
  bof_ = step < 0 && ranOut;
  eof_ = step > 0 && ranOut;
  emit RecordChanged(this);
  emit AfterScroll(this);
  return moved;
}

void DbfTable::Edit() {
  if (state_ == RecordSetState::kEdit || state_ == RecordSetState::kInsert) return;
  if (readOnly_) RaiseReadOnly();
  if (!SelectArea("Edit")) return;
  emit BeforeEdit(this);
  if (!IsEmpty()) {
    SyncFirst();
    pw::Skip(0);
    ReadEngineRecord();
  }
  state_ = RecordSetState::kEdit;
  emit AfterEdit(this);
}

void DbfTable::EnterEdit() {
  if (state_ == RecordSetState::kBrowse) Edit();
}

void DbfTable::Insert() {
  if (readOnly_) RaiseReadOnly();
  if (!SelectArea("Insert")) return;
  emit BeforeInsert(this);
  pw::ClearRecord();
  const pw::WorkArea& area = CurrentArea();
  buffer_.assign(area.image, area.image + area.imageSize);
  state_ = RecordSetState::kInsert;
  emit OnNewRecord(this);
  emit RecordChanged(this);
  emit AfterInsert(this);
}

void DbfTable::Post() {
  if (state_ != RecordSetState::kEdit && state_ != RecordSetState::kInsert) return;
  if (!SelectArea("Post")) return;
  emit BeforePost(this);
  const bool written = state_ == RecordSetState::kInsert ? InternalAddRecord() : InternalPost();
  if (!written) return;
  ClearEngineError();
  ResyncRecordSet();
  emit AfterPost(this);
}

void DbfTable::Cancel() {
  if (state_ != RecordSetState::kEdit && state_ != RecordSetState::kInsert) return;
  if (!SelectArea("Cancel")) return;
  emit BeforeCancel(this);
  state_ = RecordSetState::kBrowse;
  if (recNo_ >= 1 && recNo_ <= pw::RecCount()) pw::Go(recNo_);
  ReadEngineRecord();
  emit RecordChanged(this);
  emit AfterCancel(this);
}

void DbfTable::Delete() {
  if (readOnly_) RaiseReadOnly();
  if (IsEmpty() || !SelectArea("Delete")) return;
  emit BeforeDelete(this);
  SyncFirst();
  if (!InternalDelete()) return;
  ClearEngineError();
  ResyncRecordSet();
  emit AfterDelete(this);
}

void DbfTable::Restore() {
  if (readOnly_) RaiseReadOnly();
  if (IsEmpty() || !SelectArea("Restore")) return;
  emit UpdateRecord(this);
  emit BeforeRestore(this);
  SyncFirst();
  const bool restored = InternalRestore();
  state_ = RecordSetState::kBrowse;
  Refresh();
  if (restored) emit AfterRestore(this);
}

void DbfTable::Refresh() {
  if (!SelectArea("Refresh")) return;
  SyncFirst();
  pw::Skip(0);
  ResyncRecordSet();
}

bool DbfTable::InternalAddRecord() {
  if (!SelectArea("InternalAddRecord")) return false;
  CopyBufferToEngine();
  return WriteLoop(WriteKind::kInsert);
}

bool DbfTable::InternalDelete() {
  if (!SelectArea("InternalDelete")) return false;
  SyncFirst();
  return WriteLoop(WriteKind::kDelete);
}

bool DbfTable::InternalPost() {
  if (!SelectArea("InternalPost")) return false;
  SyncFirst();
  CopyBufferToEngine();
  return WriteLoop(WriteKind::kPost);
}

bool DbfTable::InternalRestore() {
  if (!SelectArea("InternalRestore")) return false;
  SyncFirst();
  return WriteLoop(WriteKind::kRestore);
}

bool DbfTable::PerformWrite(WriteKind kind) {
  switch (kind) {
    case WriteKind::kInsert:
      return pw::Append();
    case WriteKind::kDelete:
      return pw::DeleteRec();
    case WriteKind::kPost:
      return pw::Replace();
    case WriteKind::kRestore:
      return pw::RecallRec();
  }
  return false;
}

bool DbfTable::WriteLoop(WriteKind kind) {
  if (readOnly_) return false;
  struct Names {
    const char* text;
    LockFailedHandler* handler;
  };
  const Names names = kind == WriteKind::kInsert   ? Names{"Insert", &OnALockFailedOnInsert}
                      : kind == WriteKind::kDelete ? Names{"Delete", &OnRLockFailedOnDelete}
                      : kind == WriteKind::kPost   ? Names{"Post", &OnRLockFailedOnPost}
                                                   : Names{"Restore", &OnRLockFailedOnRestore};
  for (;;) {
    Select(workArea_);
    const bool granted = kind == WriteKind::kInsert ? pw::ALock() : pw::RLock();
    if (granted) {
      const bool written = PerformWrite(kind);
      if (written && kind != WriteKind::kRestore) Reposition();
      const std::uint16_t code = EngineErrorCode();
      pw::Unlock();
      // The write's own result stands, not that of the release.
      SetEngineErrorCode(code);
      return written;
    }
    bool retry = false;
    if (*names.handler) {
      (*names.handler)(this, retry);
    } else {
      CurrentDatasetUi().Warning(QStringLiteral("Lock failed [%1]").arg(names.text));
    }
    if (!retry) return false;
  }
}

}  // namespace pw
