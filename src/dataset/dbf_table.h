// The table component: one dBASE table with its memo file and production
// index, opened in an engine work area of its own. It offers a single-record
// cursor (current record buffer, browse/edit/insert state, Bof/Eof) that the
// direct xBase-style operations and the record-set layer share, and keeps
// that cursor in step with the engine's position.
//
// The cursor's record buffer has the layout of the engine's record image
// (engine/table/record_image.h), so copying it to the engine is one copy.
// Every operation selects the component's work area first; engine errors
// only set the engine error code (auto-dispatch is off in the program) and
// are tested by the caller, except open failures, which raise EngineError.
#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dataset/memo_stream.h"

namespace pw {

enum class TableCharset { kOem, kAnsi };
enum class IndexCreation { kWhenMissing, kAlways, kVerifyHeader, kNever };
enum class RecordSetState { kInactive, kBrowse, kEdit, kInsert };

// One field of the open table, as the engine describes it.
struct DbfFieldProperty {
  QString name;      // upper case, at most 10 characters
  char type = 'C';   // C, D, F, L, M, N
  int width = 0;     // stored width
  int decimals = 0;  // N and F only
  int offset = 0;    // the field's slot in the record buffer (byte 0: deleted flag)
  int slotSize = 0;  // bytes of that slot
};
using DbfFieldProperties = std::vector<DbfFieldProperty>;

class DbfTable;

// Handlers that answer through their reference argument.
using BeforeMakeIndexHandler = std::function<void(const QString& name, bool& canMake)>;
using AfterMakeIndexHandler = std::function<void(const QString& name)>;
using LockFailedHandler = std::function<void(DbfTable* sender, bool& retry)>;

// Memo streams name their field by its index in FieldProps().
class DbfTable : public QObject, public BlobStreamHost {
  Q_OBJECT
  Q_PROPERTY(QStringList DbfFields READ DbfFields WRITE SetDbfFields)
  Q_PROPERTY(QString DbfFileName READ DbfFileName WRITE SetDbfFileName)
  Q_PROPERTY(bool HideDeletedRecs READ HideDeletedRecs WRITE SetHideDeletedRecs)
  Q_PROPERTY(bool ShowProgress READ ShowProgress WRITE SetShowProgress)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
  Q_PROPERTY(bool AutoFixRecCount READ AutoFixRecCount WRITE SetAutoFixRecCount)
  Q_PROPERTY(bool CreateIfNotFound READ CreateIfNotFound WRITE SetCreateIfNotFound)
  Q_PROPERTY(bool Exclusive READ Exclusive WRITE SetExclusive)
  Q_PROPERTY(QStringList IndexList READ IndexList WRITE SetIndexList)
  Q_PROPERTY(bool Active READ Active WRITE SetActive)

 public:
  explicit DbfTable(QObject* parent = nullptr);
  ~DbfTable() override;
  DbfTable(const DbfTable&) = delete;
  DbfTable& operator=(const DbfTable&) = delete;

  // --- Properties. The component's name is QObject::objectName(). ---
  const QStringList& DbfFields() const { return dbfFields_; }
  void SetDbfFields(const QStringList& lines) { dbfFields_ = lines; }
  const QString& DbfFileName() const { return dbfFileName_; }
  // Trimmed; "DBF" added when there is no extension and no final ".".
  // An open component is closed and opened again.
  void SetDbfFileName(const QString& name);
  bool HideDeletedRecs() const { return hideDeletedRecs_; }
  // Applied to the engine at once when open, and the position refreshed.
  void SetHideDeletedRecs(bool hide);
  bool ShowProgress() const { return showProgress_; }
  void SetShowProgress(bool show) { showProgress_ = show; }
  TableCharset TableLanguage() const { return tableLanguage_; }
  void SetTableLanguage(TableCharset language) { tableLanguage_ = language; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool AutoFixRecCount() const { return autoFixRecCount_; }
  void SetAutoFixRecCount(bool fix) { autoFixRecCount_ = fix; }
  IndexCreation CreateIndex() const { return createIndex_; }
  void SetCreateIndex(IndexCreation type) { createIndex_ = type; }
  bool CreateIfNotFound() const { return createIfNotFound_; }
  void SetCreateIfNotFound(bool create) { createIfNotFound_ = create; }
  bool Exclusive() const { return exclusive_; }
  // An open component is closed and opened again.
  void SetExclusive(bool exclusive);
  const QStringList& IndexList() const { return indexList_; }
  void SetIndexList(const QStringList& lines) { indexList_ = lines; }

  // --- Opening and closing. ---
  bool Active() const { return workArea_ != 0 && state_ != RecordSetState::kInactive; }
  // true opens (raises EngineError on failure, the component stays closed);
  // false closes the work area with its memo and index files.
  void SetActive(bool active);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  // The engine work area the component owns; 0 before the first open.
  int WorkArea() const { return workArea_; }
  // The open table's fields; raises "<name>.DbfFields undefined. Set Active
  // to TRUE" when closed.
  const DbfFieldProperties& FieldProps() const;
  // The engine's code for the last operation of a table component: 0 when it
  // succeeded. Every operation clears it when it starts, so right after a
  // call it answers for that call.
  static std::uint16_t LastError();

  // --- Events that answer. ---
  BeforeMakeIndexHandler OnBeforeMakeIndex;
  AfterMakeIndexHandler OnAfterMakeIndex;
  LockFailedHandler OnALockFailedOnInsert;
  LockFailedHandler OnRLockFailedOnDelete;
  LockFailedHandler OnRLockFailedOnPost;
  LockFailedHandler OnRLockFailedOnRestore;

  // --- Work-area bookkeeping shared with the record-set layer. ---
  // Selects the component's work area and hands TableLanguage to it. When
  // the component is not open: error 1103 "Database is not open [<name>.<op>]",
  // a request to end the program, and false.
  bool SelectArea(const char* operation);
  // Moves the engine to the cursor's record (when it lies in 1 .. count).
  void SyncFirst();
  // After a write: moves off a record that is no longer visible.
  void Reposition();
  // With error code 0: ends edit/insert without writing, shows the engine's
  // record in the cursor, emits AfterScroll. Otherwise changes nothing.
  void ResyncRecordSet();

  // --- The cursor (record-set view). ---
  RecordSetState State() const { return state_; }
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  // Physical record number of the cursor's record; 0 when there is none.
  std::int32_t RecNo() const { return recNo_; }
  // Records in the table, deleted ones included.
  std::int32_t RecordCount();
  bool IsEmpty() const { return bof_ && eof_; }
  // Moves over visible records; Bof/Eof set when the move runs out.
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  int MoveBy(int distance);
  // Enters edit state on the current record (re-read from the engine).
  void Edit();
  // Enters insert state on a blank record (it is added at the end on Post).
  void Insert();
  void Append() { Insert(); }
  // Writes the edit or insert through the lock loops; a refused lock keeps
  // the state so that the caller can post again.
  void Post();
  // Drops the changes of edit or insert.
  void Cancel();
  // Deletes the current record through the lock loop.
  void Delete();
  // Undeletes the current record (BeforeRestore/AfterRestore).
  void Restore();
  // Re-reads the current record.
  void Refresh();
  // The cursor's record buffer (engine record image layout).
  const std::vector<unsigned char>& Buffer() const { return buffer_; }
  std::vector<unsigned char>& Buffer() { return buffer_; }
  // Copies the whole cursor buffer to the engine's record image.
  void CopyBufferToEngine();

  // Field values of the cursor's record: C text without trailing blanks,
  // N/F double (with decimals) or int, D QDate (null when blank), L bool,
  // M int memo block. The name is cut to 10 characters and matched in any
  // case; an unknown name raises "Field '<name>' not found".
  int FieldIndex(const QString& name) const;  // -1 when missing
  QVariant FieldValue(const QString& name) const;
  // Raises "Dataset not in edit or insert mode" outside edit/insert.
  void SetFieldValue(const QString& name, const QVariant& value);

  // Write loops with lock requests (skipped when ReadOnly); each returns
  // whether the engine operation ran and succeeded.
  bool InternalAddRecord();
  bool InternalDelete();
  bool InternalPost();
  bool InternalRestore();

  // --- Direct record operations. ---
  void AppendRec();
  void DeleteRec();
  void ReplaceRec();
  void ClearRecord();
  bool Pack();
  bool Deleted();
  void Go(std::int32_t recordNumber);
  void Skip(int count);
  void GoTop();
  void SetFilterTo(const QString& expression);
  const QString& Filter() const { return filter_; }
  bool Filtered() const { return filtered_; }
  bool ALock();
  bool RLock();
  void UnLock();
  bool Find(const QString& key);
  bool FindExact(const QString& key);
  void SetOrderTo(int tag);
  bool SetOrderToTag(const QString& tag);
  QString CurrentTag();
  bool SetIndexTo(const QString& indexFile);

  // --- Direct field operations. ---
  QString GetFieldStr(const QString& name);
  QString GetFieldDate(const QString& name);
  std::int32_t GetFieldInt(const QString& name);
  double GetFieldFloat(const QString& name);
  void SetFieldStr(const QString& name, const QString& text);
  void SetFieldDate(const QString& name, const QString& text);
  void SetFieldInt(const QString& name, std::int32_t value);
  void SetFieldFloat(const QString& name, double value);
  // Mode 0 reads, 1 writes, 2 reads and writes. Null with error 220 when the
  // field is missing or not a memo field.
  std::unique_ptr<MemoStream> CreateBlobStreamByName(const QString& name, int mode);
  void SetMField(const QString& name, const QStringList& lines);
  // Error 220 with its detail text unless `name` is a field of the expected
  // type; `expected` is C, D, L, M, N (no decimals) or F (decimals).
  bool CheckField(const QString& name, char expected, const char* operation);

  // BlobStreamHost.
  bool SelectForBlob(const char* operation) override;
  bool BlobTranslates() const override;
  std::int32_t BlobReference(int field) const override;
  // Stores the block in the buffer; mode 1 then enters edit state and copies
  // the whole buffer to the engine.
  void BlobWritten(int field, int mode, std::int32_t block) override;

 signals:
  void BeforeOpen(pw::DbfTable* dataSet);
  void AfterOpen(pw::DbfTable* dataSet);
  void BeforeClose(pw::DbfTable* dataSet);
  void AfterClose(pw::DbfTable* dataSet);
  void BeforeInsert(pw::DbfTable* dataSet);
  void AfterInsert(pw::DbfTable* dataSet);
  void BeforeEdit(pw::DbfTable* dataSet);
  void AfterEdit(pw::DbfTable* dataSet);
  void BeforePost(pw::DbfTable* dataSet);
  void AfterPost(pw::DbfTable* dataSet);
  void BeforeCancel(pw::DbfTable* dataSet);
  void AfterCancel(pw::DbfTable* dataSet);
  void BeforeDelete(pw::DbfTable* dataSet);
  void AfterDelete(pw::DbfTable* dataSet);
  void BeforeScroll(pw::DbfTable* dataSet);
  void AfterScroll(pw::DbfTable* dataSet);
  void OnNewRecord(pw::DbfTable* dataSet);
  void BeforeRestore(pw::DbfTable* dataSet);
  void AfterRestore(pw::DbfTable* dataSet);
  // Bound controls: the whole record, or one field, changed in the buffer.
  void RecordChanged(pw::DbfTable* dataSet);
  void FieldChanged(pw::DbfTable* dataSet, const QString& fieldName);
  // Bound controls: store pending edits in the buffer now.
  void UpdateRecord(pw::DbfTable* dataSet);

 private:
  enum class WriteKind { kInsert, kDelete, kPost, kRestore };

  void OpenTable();
  void CloseTable();
  bool CreateTable();
  void PrepareIndex();
  void BuildIndex(const std::string& indexFile);
  void ReadFieldProps();
  bool WriteLoop(WriteKind kind);
  bool PerformWrite(WriteKind kind);
  void ReadEngineRecord();
  void ClearCursor();
  void EnterEdit();
  void MoveToLast();
  const DbfFieldProperty& FieldByName(const QString& name) const;
  void SetFieldSlot(const DbfFieldProperty& field, const QVariant& value);
  QString ComponentName() const;

  QStringList dbfFields_;
  QString dbfFileName_;
  bool hideDeletedRecs_ = false;
  bool showProgress_ = true;
  TableCharset tableLanguage_ = TableCharset::kOem;
  bool readOnly_ = false;
  bool autoFixRecCount_ = false;
  IndexCreation createIndex_ = IndexCreation::kWhenMissing;
  bool createIfNotFound_ = true;
  bool exclusive_ = false;
  QStringList indexList_;

  int workArea_ = 0;
  DbfFieldProperties fields_;
  RecordSetState state_ = RecordSetState::kInactive;
  std::vector<unsigned char> buffer_;
  std::int32_t recNo_ = 0;
  bool bof_ = true;
  bool eof_ = true;
  QString filter_;
  bool filtered_ = false;
};

}  // namespace pw
