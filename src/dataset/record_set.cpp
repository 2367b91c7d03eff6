#include "dataset/record_set.h"

#include "common/error_state.h"
#include "common/error_text.h"
#include "dataset/engine_text.h"

namespace pw {

RecordSet::RecordSet(QObject* parent) : QObject(parent) {}

RecordSet::~RecordSet() = default;

int RecordSet::Check(int code) {
  if (code == 0 || code == kAtBeginning || code == kAtEnd) return code;
  const auto engineCode = static_cast<std::uint16_t>(code);
  RaiseEngineError("Dataset error: " + ErrorText(engineCode) + "\r\n" + TakeDetailText());
}

void RecordSet::CheckActive() const {
  if (!Active()) RaiseEngineError("Cannot perform this operation on a closed dataset");
}

void RecordSet::SetState(RecordSetState state) {
  if (state_ == state) return;
  state_ = state;
  if (state != RecordSetState::kEdit && state != RecordSetState::kInsert) modified_ = false;
  emit StateChanged();
}

void RecordSet::CheckBrowseMode() {
  CheckActive();
  if (state_ != RecordSetState::kEdit && state_ != RecordSetState::kInsert) return;
  emit UpdateRecord();
  if (modified_) {
    Post();
  } else {
    Cancel();
  }
}

void RecordSet::OpenRecordSet(const DbfFieldProperties& fields) {
  layout_ = RecordLayout(fields);
  fields_.clear();
  for (int i = 0; i < static_cast<int>(fields.size()); ++i)
    fields_.push_back(MakeTzField(*this, i));
  activeBuffer_ = layout_.NewBuffer();
  SetState(RecordSetState::kBrowse);
  First();
  emit DataSetChanged();
}

void RecordSet::CloseRecordSet() {
  SetState(RecordSetState::kInactive);
  fields_.clear();
  activeBuffer_.clear();
  savedBuffer_.clear();
  bof_ = eof_ = true;
  emit DataSetChanged();
}

void RecordSet::ShowRecord(const RecordBuffer* record, RecordSetState state) {
  if (!Active()) return;
  SetState(state);
  if (record != nullptr) {
    activeBuffer_ = *record;
    bof_ = eof_ = false;
  } else {
    activeBuffer_ = layout_.NewBuffer();
    bof_ = eof_ = true;
  }
  NotifyScrolled();
  emit DataSetChanged();
}

void RecordSet::ResyncToStorage() {
  RecordBuffer record = layout_.NewBuffer();
  const bool found = Check(TziGetRecord(record)) == 0;
  ShowRecord(found ? &record : nullptr, RecordSetState::kBrowse);
}

void RecordSet::NotifyScrolled() {
  DidScroll();
  emit Scrolled();
}

void RecordSet::First() {
  CheckBrowseMode();
  Check(TziSetToBegin());
  RecordBuffer next = layout_.NewBuffer();
  if (Check(TziGetNextRecord(next)) == 0) {
    activeBuffer_ = std::move(next);
    eof_ = false;
  } else {
    activeBuffer_ = layout_.NewBuffer();
    eof_ = true;
  }
  bof_ = true;
  NotifyScrolled();
}

void RecordSet::Last() {
  CheckBrowseMode();
  Check(TziSetToEnd());
  RecordBuffer prior = layout_.NewBuffer();
  if (Check(TziGetPriorRecord(prior)) == 0) {
    activeBuffer_ = std::move(prior);
    bof_ = false;
  } else {
    activeBuffer_ = layout_.NewBuffer();
    bof_ = true;
  }
  eof_ = true;
  NotifyScrolled();
}

// Puts the storage on the current record with its position flags clear, so
// that the next move steps off that record.
void RecordSet::SyncStorageToCurrent() {
  if (!IsEmpty()) SafeGo(RecNo());
}

int RecordSet::MoveBy(int distance) {
  CheckBrowseMode();
  if (distance == 0 || IsEmpty()) return 0;
  SyncStorageToCurrent();
  int moved = 0;
  RecordBuffer record = layout_.NewBuffer();
  while (moved != distance) {
    const bool forward = distance > 0;
    const int code = Check(forward ? TziGetNextRecord(record) : TziGetPriorRecord(record));
    if (code != 0) {
      (forward ? eof_ : bof_) = true;
      break;
    }
    activeBuffer_ = record;
    bof_ = eof_ = false;
    moved += forward ? 1 : -1;
  }
  NotifyScrolled();
  return moved;
}

std::int32_t RecordSet::RecNo() const {
  if (!Active() || IsEmpty()) return 0;
  return layout_.RecordNumber(activeBuffer_);
}

void RecordSet::SetRecNo(std::int32_t recordNumber) {
  CheckBrowseMode();
  SafeGo(recordNumber);
  ReadCurrentOrEnd();
}

// After a positioning primitive: the record it found, or the end.
void RecordSet::ReadCurrentOrEnd() {
  if (Check(TziGetRecord(activeBuffer_)) == 0) {
    bof_ = eof_ = false;
    NotifyScrolled();
    return;
  }
  Last();
}

std::int32_t RecordSet::RecordCount() {
  CheckActive();
  return TziGetRecordCount();
}

void RecordSet::Edit() {
  CheckActive();
  if (state_ == RecordSetState::kEdit || state_ == RecordSetState::kInsert) return;
  if (!CanModify()) RaiseEngineError("Cannot modify a read-only dataset");
  if (IsEmpty()) {
    Insert();
    return;
  }
  SyncStorageToCurrent();
  Check(TziGetRecord(activeBuffer_));
  SetState(RecordSetState::kEdit);
  NotifyScrolled();
}

void RecordSet::Insert() {
  CheckBrowseMode();
  if (!CanModify()) RaiseEngineError("Cannot modify a read-only dataset");
  savedBuffer_ = activeBuffer_;
  savedBof_ = bof_;
  savedEof_ = eof_;
  Check(TziInitRecord(activeBuffer_));
  SetState(RecordSetState::kInsert);
  NotifyScrolled();
}

bool RecordSet::Post() {
  CheckActive();
  emit UpdateRecord();
  bool written = false;
  if (state_ == RecordSetState::kEdit) {
    written = PostRecord(activeBuffer_);
  } else if (state_ == RecordSetState::kInsert) {
    written = AddRecord(activeBuffer_);
  } else {
    return true;
  }
  if (!written) return false;
  // The storage stands on the written record, or on its neighbour when the
  // record left the view.
  SetState(RecordSetState::kBrowse);
  savedBuffer_.clear();
  ResyncToStorage();
  return true;
}

void RecordSet::Cancel() {
  CheckActive();
  if (state_ == RecordSetState::kInsert) {
    activeBuffer_ = std::move(savedBuffer_);
    bof_ = savedBof_;
    eof_ = savedEof_;
    savedBuffer_.clear();
    SetState(RecordSetState::kBrowse);
    SyncStorageToCurrent();
  } else if (state_ == RecordSetState::kEdit) {
    SetState(RecordSetState::kBrowse);
    SyncStorageToCurrent();
    Check(TziGetRecord(activeBuffer_));
  } else {
    return;
  }
  NotifyScrolled();
}

void RecordSet::Delete() {
  CheckActive();
  if (state_ == RecordSetState::kInsert) {
    Cancel();
    return;
  }
  if (IsEmpty()) RaiseEngineError("Cannot perform this operation on an empty dataset");
  SetState(RecordSetState::kBrowse);
  SyncStorageToCurrent();
  if (!DeleteRecord()) return;
  ResyncToStorage();
}

void RecordSet::Refresh() {
  CheckBrowseMode();
  SyncStorageToCurrent();
  Check(TziForceReread());
  ResyncToStorage();
}

bool RecordSet::Locate(const QString& keyFields, const QVariantList& values,
                       LocateOptions options) {
  CheckBrowseMode();
  if (!TziLocate(keyFields.split(';'), values, options)) return false;
  ResyncToStorage();
  return true;
}

QVariant RecordSet::Lookup(const QString& keyFields, const QVariantList& values,
                           const QString& resultFields) {
  CheckBrowseMode();
  RecordBuffer found = layout_.NewBuffer();
  if (!TziLookup(keyFields.split(';'), values, found)) return {};
  QVariantList result;
  for (const QString& name : resultFields.split(';'))
    result.append(FieldByName(name).ValueIn(found));
  return result.size() == 1 ? result.front() : QVariant(result);
}

void RecordSet::SetDeletionMark(bool marked) {
  CheckActive();
  if (marked) {
    if (!IsEmpty()) Delete();
    return;
  }
  if (IsEmpty() || !DeletionMark()) return;
  emit UpdateRecord();
  RaiseBeforeRestore();
  SyncStorageToCurrent();
  if (RestoreRecord()) {
    SetState(RecordSetState::kBrowse);
    Refresh();
  }
  RaiseAfterRestore();
}

RecordField* RecordSet::FindField(const QString& name) const {
  const QString wanted = name.trimmed().left(10);
  for (const auto& field : fields_) {
    if (field->FieldName().compare(wanted, Qt::CaseInsensitive) == 0) return field.get();
  }
  return nullptr;
}

RecordField& RecordSet::FieldByName(const QString& name) const {
  RecordField* field = FindField(name);
  if (field == nullptr) RaiseEngineError("Field '" + ToEngineText(name) + "' not found");
  return *field;
}

RecordBuffer& RecordSet::BufferForChange(const RecordField& field) {
  if (state_ != RecordSetState::kEdit && state_ != RecordSetState::kInsert) {
    RaiseEngineError("Dataset not in edit or insert mode");
  }
  if (field.ReadOnly() || !CanModify()) {
    RaiseEngineError("Field '" + ToEngineText(field.DisplayName()) + "' cannot be modified");
  }
  return activeBuffer_;
}

void RecordSet::FieldChangedInBuffer(const RecordField& field) {
  modified_ = true;
  emit FieldChanged(field.FieldNo());
}

}  // namespace pw
