#include "dataset/table_record_set.h"

#include <cstring>

#include "common/error_codes.h"
#include "common/error_state.h"
#include "dataset/engine_state_guard.h"
#include "dataset/engine_text.h"
#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
#include "engine/table/go.h"
#include "engine/table/go_bottom.h"
#include "engine/table/go_top.h"
#include "engine/table/locate_fields.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_buffer.h"
#include "engine/table/record_io.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

// The text form of a search value: dates in the engine's date format.
std::string SearchText(const QVariant& value) {
  if (value.metaType().id() == QMetaType::QDate) {
    return BufferValueToDateText(DateToBufferValue(value.toDate()));
  }
  return ToEngineText(value.toString());
}

LocateValue ToLocateValue(const QVariant& value) {
  LocateValue result;
  result.text = SearchText(value);
  result.whole = value.toLongLong();
  result.real = value.toDouble();
  result.truth = value.toBool();
  return result;
}

}  // namespace

TableRecordSet::TableRecordSet(DbfTable& table, QObject* parent)
    : RecordSet(parent), table_(table) {
  const auto follow = [this] { FollowTable(); };
  for (auto signal : {&DbfTable::AfterOpen, &DbfTable::AfterClose, &DbfTable::AfterScroll,
                      &DbfTable::RecordChanged, &DbfTable::AfterPost, &DbfTable::AfterDelete,
                      &DbfTable::AfterCancel, &DbfTable::AfterEdit, &DbfTable::AfterInsert}) {
    connect(&table_, signal, this, follow);
  }
  connect(&table_, &DbfTable::FieldChanged, this, follow);
  FollowTable();
}

TableRecordSet::~TableRecordSet() = default;

void TableRecordSet::Select(const char* operation) {
  if (!table_.Active()) RaiseEngineError("Cannot perform this operation on a closed dataset");
  table_.SelectArea(operation);
  ClearEngineError();
}

int TableRecordSet::EngineCode() {
  return EngineErrorCode();
}

void TableRecordSet::CopyCurrent(RecordBuffer& buffer) {
  const WorkArea& area = CurrentArea();
  Layout().FromImage(area.image, buffer);
  Layout().SetRecordNumber(buffer, pw::RecNo());
}

void TableRecordSet::CopyToTable(const RecordBuffer& buffer) {
  std::vector<unsigned char>& image = table_.Buffer();
  image.resize(CurrentArea().imageSize);
  Layout().ToImage(buffer, image.data());
}

void TableRecordSet::FollowTable() {
  if (following_) return;
  following_ = true;
  if (!table_.Active()) {
    if (Active()) CloseRecordSet();
  } else if (!Active()) {
    OpenRecordSet(table_.FieldProps());
  } else if (table_.IsEmpty()) {
    atBegin_ = atEnd_ = false;
    ShowRecord(nullptr, RecordSetState::kBrowse);
  } else {
    RecordBuffer record = Layout().NewBuffer();
    Layout().FromImage(table_.Buffer().data(), record);
    Layout().SetRecordNumber(record, table_.RecNo());
    atBegin_ = atEnd_ = false;
    ShowRecord(&record, table_.State());
  }
  following_ = false;
}

void TableRecordSet::DidScroll() {
  if (following_ || State() != RecordSetState::kBrowse || !table_.Active()) return;
  following_ = true;
  if (table_.SelectArea("Scroll")) {
    ClearEngineError();
    table_.ResyncRecordSet();
  }
  following_ = false;
}

bool TableRecordSet::IsSequenced() {
  if (!table_.Active() || table_.Filtered()) return false;
  Select("IsSequenced");
  return CurrentOrder() == 0;
}

bool TableRecordSet::ShowsAllRecords() {
  return IsSequenced() && !table_.HideDeletedRecs();
}

int TableRecordSet::TziSetToBegin() {
  Select("TziSetToBegin");
  GoTop();
  atBegin_ = true;
  atEnd_ = false;
  return EngineCode();
}

int TableRecordSet::TziSetToEnd() {
  Select("TziSetToEnd");
  GoBottom();
  atBegin_ = false;
  atEnd_ = true;
  return EngineCode();
}

int TableRecordSet::TziGetRecord(RecordBuffer& buffer) {
  Select("TziGetRecord");
  if (atBegin_) return kAtBeginning;
  if (atEnd_) return kAtEnd;
  Skip(0);
  if (const int code = EngineCode(); code != 0) return code;
  // End of file holds a blank record, not a record of the set.
  if (dEOF()) return kAtEnd;
  CopyCurrent(buffer);
  return 0;
}

int TableRecordSet::TziGetNextRecord(RecordBuffer& buffer) {
  Select("TziGetNextRecord");
  if (atEnd_) return kAtEnd;
  if (atBegin_) {
    Skip(0);
    atBegin_ = false;
  } else if (!dEOF()) {
    Skip(1);
  }
  if (const int code = EngineCode(); code != 0) return code;
  if (dEOF()) {
    if (!dBOF()) Skip(-1);
    atEnd_ = true;
    return kAtEnd;
  }
  CopyCurrent(buffer);
  return 0;
}

// Unlike end of file, beginning of file leaves the engine on the first
// visible record, so there is nothing to step back over.
int TableRecordSet::TziGetPriorRecord(RecordBuffer& buffer) {
  Select("TziGetPriorRecord");
  if (atBegin_) return kAtBeginning;
  if (atEnd_) {
    Skip(0);
    atEnd_ = false;
  } else if (!dBOF()) {
    Skip(-1);
  }
  if (const int code = EngineCode(); code != 0) return code;
  if (dBOF() || dEOF()) {
    atBegin_ = true;
    return kAtBeginning;
  }
  CopyCurrent(buffer);
  return 0;
}

std::int32_t TableRecordSet::TziGetRecordCount() {
  Select("TziGetRecordCount");
  return pw::RecCount();
}

int TableRecordSet::TziForceReread() {
  Select("TziForceReread");
  Skip(0);
  return EngineCode();
}

int TableRecordSet::TziInitRecord(RecordBuffer& buffer) {
  Select("TziInitRecord");
  ClearRecord();
  Layout().FromImage(CurrentArea().image, buffer);
  Layout().SetRecordNumber(buffer, 0);
  return 0;
}

bool TableRecordSet::AddRecord(const RecordBuffer& buffer) {
  Select("AddRecord");
  CopyToTable(buffer);
  atBegin_ = atEnd_ = false;
  return table_.InternalAddRecord();
}

bool TableRecordSet::DeleteRecord() {
  Select("DeleteRecord");
  atBegin_ = atEnd_ = false;
  return table_.InternalDelete();
}

bool TableRecordSet::PostRecord(const RecordBuffer& buffer) {
  Select("PostRecord");
  if (atBegin_ || atEnd_) return false;
  CopyToTable(buffer);
  return table_.InternalPost();
}

bool TableRecordSet::RestoreRecord() {
  Select("RestoreRecord");
  atBegin_ = atEnd_ = false;
  return table_.InternalRestore();
}

void TableRecordSet::SafeGo(std::int32_t recordNumber) {
  Select("SafeGo");
  if (recordNumber >= 1 && recordNumber <= pw::RecCount()) {
    Go(recordNumber);
    atBegin_ = atEnd_ = false;
  } else {
    TziSetToEnd();
  }
}

std::int32_t TableRecordSet::TziSetToBookmark() {
  Select("TziSetToBookmark");
  return pw::RecNo();
}

bool TableRecordSet::SearchActiveOrder(const QVariantList& values, LocateOptions options) {
  const std::string key = values.isEmpty() ? std::string() : SearchText(values.front());
  if (key.empty()) return false;
  const bool found = options.partialKey ? Find(key) : FindExact(key);
  return found && !dEOF();
}

bool TableRecordSet::TziLocate(const QStringList& keyFields, const QVariantList& values,
                               LocateOptions options) {
  Select("TziLocate");
  bool found = false;
  if (CurrentOrder() != 0) {
    found = SearchActiveOrder(values, options);
  } else {
    std::vector<LocateValue> engineValues;
    for (const QVariant& value : values) engineValues.push_back(ToLocateValue(value));
    found = LocateFields(ToEngineText(keyFields.join(';')), engineValues, options.caseInsensitive,
                         !options.partialKey, true);
  }
  if (found) atBegin_ = atEnd_ = false;
  return found;
}

bool TableRecordSet::TziLookup(const QStringList& keyFields, const QVariantList& values,
                               RecordBuffer& result) {
  Select("TziLookup");
  EngineStateGuard guard;
  guard.Navigated();
  const bool saveBegin = atBegin_;
  const bool saveEnd = atEnd_;
  const bool found = TziLocate(keyFields, values, LocateOptions{});
  if (found) CopyCurrent(result);
  atBegin_ = saveBegin;
  atEnd_ = saveEnd;
  return found;
}

bool TableRecordSet::CanModify() const {
  return !table_.ReadOnly();
}

void TableRecordSet::RaiseBeforeRestore() {
  emit table_.BeforeRestore(&table_);
}

void TableRecordSet::RaiseAfterRestore() {
  emit table_.AfterRestore(&table_);
}

std::vector<std::int32_t> TableRecordSet::VisibleRecordNumbers() {
  Select("VisibleRecordNumbers");
  EngineStateGuard guard;
  guard.Navigated();
  std::vector<std::int32_t> numbers;
  GoTop();
  while (!dEOF() && EngineErrorCode() == 0) {
    numbers.push_back(pw::RecNo());
    Skip(1);
  }
  return numbers;
}

void TableRecordSet::ReadRecords(const std::vector<std::int32_t>& numbers,
                                 std::vector<RecordBuffer>& rows) {
  Select("ReadRecords");
  EngineStateGuard guard;
  rows.clear();
  for (const std::int32_t number : numbers) {
    RecordBuffer row;
    if (ReadRecord(CurrentArea(), number) == 0) {
      row = Layout().NewBuffer();
      CopyCurrent(row);
      ++recordReads_;
    }
    rows.push_back(std::move(row));
  }
}

std::unique_ptr<MemoStream> TableRecordSet::CreateBlobStream(RecordField& field, int mode) {
  if (field.DataType() != 'M') {
    SetError(kInvalidParameter,
             "CreateBlobStream: field " + ToEngineText(field.FieldName()) + " is not a memo field");
    return nullptr;
  }
  auto stream = std::make_unique<MemoStream>(*this, field.FieldNo(), mode);
  if (!stream->isOpen()) return nullptr;
  return stream;
}

bool TableRecordSet::SelectForBlob(const char* operation) {
  if (!table_.Active()) {
    SetError(kInvalidOperation, "DataSet must be active. " + ToEngineText(table_.objectName()));
    return false;
  }
  return table_.SelectArea(operation);
}

bool TableRecordSet::BlobTranslates() const {
  return table_.TableLanguage() == TableCharset::kOem;
}

std::int32_t TableRecordSet::BlobReference(int field) const {
  if (!Active() || IsEmpty()) return 0;
  return Fields(field).Value().toInt();
}

void TableRecordSet::BlobWritten(int field, int mode, std::int32_t block) {
  if (State() == RecordSetState::kBrowse) Edit();
  Fields(field).SetValue(block);
  if (mode == MemoStream::kWrite) {
    Select("DestroyBlobStream");
    CopyToTable(ActiveBuffer());
    table_.CopyBufferToEngine();
  }
}

}  // namespace pw
