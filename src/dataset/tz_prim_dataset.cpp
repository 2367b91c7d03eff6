#include "dataset/tz_prim_dataset.h"

#include "common/error_state.h"
#include "common/error_text.h"
#include "dataset/engine_text.h"

namespace pw {

TTzPrimDataset::TTzPrimDataset(QObject* parent) : QObject(parent) {}

TTzPrimDataset::~TTzPrimDataset() = default;

int TTzPrimDataset::Check(int code) {
  if (code == 0 || code == kAtBeginning || code == kAtEnd) return code;
  const auto engineCode = static_cast<std::uint16_t>(code);
  RaiseEngineError("Dataset error: " + ErrorText(engineCode) + "\r\n" + TakeDetailText());
}

void TTzPrimDataset::CheckActive() const {
  if (!Active()) RaiseEngineError("Cannot perform this operation on a closed dataset");
}

void TTzPrimDataset::SetState(TzDataSetState state) {
  if (state_ == state) return;
  state_ = state;
  if (state != TzDataSetState::dsEdit && state != TzDataSetState::dsInsert) modified_ = false;
  emit StateChanged();
}

void TTzPrimDataset::CheckBrowseMode() {
  CheckActive();
  if (state_ != TzDataSetState::dsEdit && state_ != TzDataSetState::dsInsert) return;
  emit UpdateRecord();
  if (modified_) {
    Post();
  } else {
    Cancel();
  }
}

void TTzPrimDataset::OpenRecordSet(const TDbfFieldProps& fields) {
  layout_ = TzRecordLayout(fields);
  fields_.clear();
  for (int i = 0; i < static_cast<int>(fields.size()); ++i)
    fields_.push_back(MakeTzField(*this, i));
  activeBuffer_ = layout_.NewBuffer();
  SetState(TzDataSetState::dsBrowse);
  First();
  emit DataSetChanged();
}

void TTzPrimDataset::CloseRecordSet() {
  SetState(TzDataSetState::dsInactive);
  fields_.clear();
  activeBuffer_.clear();
  savedBuffer_.clear();
  bof_ = eof_ = true;
  emit DataSetChanged();
}

void TTzPrimDataset::ShowRecord(const TzRecordBuffer* record, TzDataSetState state) {
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

void TTzPrimDataset::ResyncToStorage() {
  TzRecordBuffer record = layout_.NewBuffer();
  const bool found = Check(TziGetRecord(record)) == 0;
  ShowRecord(found ? &record : nullptr, TzDataSetState::dsBrowse);
}

void TTzPrimDataset::NotifyScrolled() {
  DidScroll();
  emit Scrolled();
}

void TTzPrimDataset::First() {
  CheckBrowseMode();
  Check(TziSetToBegin());
  TzRecordBuffer next = layout_.NewBuffer();
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

void TTzPrimDataset::Last() {
  CheckBrowseMode();
  Check(TziSetToEnd());
  TzRecordBuffer prior = layout_.NewBuffer();
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
void TTzPrimDataset::SyncStorageToCurrent() {
  if (!IsEmpty()) SafeGo(RecNo());
}

int TTzPrimDataset::MoveBy(int distance) {
  CheckBrowseMode();
  if (distance == 0 || IsEmpty()) return 0;
  SyncStorageToCurrent();
  int moved = 0;
  TzRecordBuffer record = layout_.NewBuffer();
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

std::int32_t TTzPrimDataset::RecNo() const {
  if (!Active() || IsEmpty()) return 0;
  return layout_.RecordNumber(activeBuffer_);
}

void TTzPrimDataset::SetRecNo(std::int32_t recordNumber) {
  CheckBrowseMode();
  SafeGo(recordNumber);
  ReadCurrentOrEnd();
}

// After a positioning primitive: the record it found, or the end.
void TTzPrimDataset::ReadCurrentOrEnd() {
  if (Check(TziGetRecord(activeBuffer_)) == 0) {
    bof_ = eof_ = false;
    NotifyScrolled();
    return;
  }
  Last();
}

std::int32_t TTzPrimDataset::RecordCount() {
  CheckActive();
  return TziGetRecordCount();
}

void TTzPrimDataset::Edit() {
  CheckActive();
  if (state_ == TzDataSetState::dsEdit || state_ == TzDataSetState::dsInsert) return;
  if (!CanModify()) RaiseEngineError("Cannot modify a read-only dataset");
  if (IsEmpty()) {
    Insert();
    return;
  }
  SyncStorageToCurrent();
  Check(TziGetRecord(activeBuffer_));
  SetState(TzDataSetState::dsEdit);
  NotifyScrolled();
}

void TTzPrimDataset::Insert() {
  CheckBrowseMode();
  if (!CanModify()) RaiseEngineError("Cannot modify a read-only dataset");
  savedBuffer_ = activeBuffer_;
  savedBof_ = bof_;
  savedEof_ = eof_;
  Check(TziInitRecord(activeBuffer_));
  SetState(TzDataSetState::dsInsert);
  NotifyScrolled();
}

bool TTzPrimDataset::Post() {
  CheckActive();
  emit UpdateRecord();
  bool written = false;
  if (state_ == TzDataSetState::dsEdit) {
    written = PostRecord(activeBuffer_);
  } else if (state_ == TzDataSetState::dsInsert) {
    written = AddRecord(activeBuffer_);
  } else {
    return true;
  }
  if (!written) return false;
  // The storage stands on the written record, or on its neighbour when the
  // record left the view.
  SetState(TzDataSetState::dsBrowse);
  savedBuffer_.clear();
  ResyncToStorage();
  return true;
}

void TTzPrimDataset::Cancel() {
  CheckActive();
  if (state_ == TzDataSetState::dsInsert) {
    activeBuffer_ = std::move(savedBuffer_);
    bof_ = savedBof_;
    eof_ = savedEof_;
    savedBuffer_.clear();
    SetState(TzDataSetState::dsBrowse);
    SyncStorageToCurrent();
  } else if (state_ == TzDataSetState::dsEdit) {
    SetState(TzDataSetState::dsBrowse);
    SyncStorageToCurrent();
    Check(TziGetRecord(activeBuffer_));
  } else {
    return;
  }
  NotifyScrolled();
}

void TTzPrimDataset::Delete() {
  CheckActive();
  if (state_ == TzDataSetState::dsInsert) {
    Cancel();
    return;
  }
  if (IsEmpty()) RaiseEngineError("Cannot perform this operation on an empty dataset");
  SetState(TzDataSetState::dsBrowse);
  SyncStorageToCurrent();
  if (!DeleteRecord()) return;
  ResyncToStorage();
}

void TTzPrimDataset::Refresh() {
  CheckBrowseMode();
  SyncStorageToCurrent();
  Check(TziForceReread());
  ResyncToStorage();
}

bool TTzPrimDataset::Locate(const QString& keyFields, const QVariantList& values,
                            TzLocateOptions options) {
  CheckBrowseMode();
  if (!TziLocate(keyFields.split(';'), values, options)) return false;
  ResyncToStorage();
  return true;
}

QVariant TTzPrimDataset::Lookup(const QString& keyFields, const QVariantList& values,
                                const QString& resultFields) {
  CheckBrowseMode();
  TzRecordBuffer found = layout_.NewBuffer();
  if (!TziLookup(keyFields.split(';'), values, found)) return {};
  QVariantList result;
  for (const QString& name : resultFields.split(';'))
    result.append(FieldByName(name).ValueIn(found));
  return result.size() == 1 ? result.front() : QVariant(result);
}

void TTzPrimDataset::SetDeletionMark(bool marked) {
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
    SetState(TzDataSetState::dsBrowse);
    Refresh();
  }
  RaiseAfterRestore();
}

TTzField* TTzPrimDataset::FindField(const QString& name) const {
  const QString wanted = name.trimmed().left(10);
  for (const auto& field : fields_) {
    if (field->FieldName().compare(wanted, Qt::CaseInsensitive) == 0) return field.get();
  }
  return nullptr;
}

TTzField& TTzPrimDataset::FieldByName(const QString& name) const {
  TTzField* field = FindField(name);
  if (field == nullptr) RaiseEngineError("Field '" + ToEngineText(name) + "' not found");
  return *field;
}

TzRecordBuffer& TTzPrimDataset::BufferForChange(const TTzField& field) {
  if (state_ != TzDataSetState::dsEdit && state_ != TzDataSetState::dsInsert) {
    RaiseEngineError("Dataset not in edit or insert mode");
  }
  if (field.ReadOnly() || !CanModify()) {
    RaiseEngineError("Field '" + ToEngineText(field.DisplayName()) + "' cannot be modified");
  }
  return activeBuffer_;
}

void TTzPrimDataset::FieldChangedInBuffer(const TTzField& field) {
  modified_ = true;
  emit FieldChanged(field.FieldNo());
}

}  // namespace pw
