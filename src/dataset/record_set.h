// The record set: a current record in a typed buffer, a state (browse,
// edit, insert), Bof and Eof, field objects and bookmarks, and the
// operations first, last, next, prior, move by, edit, insert, append, post,
// cancel, delete, refresh, locate and lookup. They are mapped onto a small
// set of record primitives that a storage (table_record_set.h) implements, so
// this class knows nothing about tables.
//
// Each primitive that moves returns 0, kAtBeginning or kAtEnd, or an engine
// error code; any other code raises EngineError ("Dataset error: " + text).
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

#include "dataset/dbf_table.h"
#include "dataset/memo_stream.h"
#include "dataset/record_fields.h"
#include "dataset/record_layout.h"

namespace pw {

struct LocateOptions {
  bool caseInsensitive = false;
  bool partialKey = false;
};

class RecordSet : public QObject {
  Q_OBJECT

 public:
  static constexpr int kAtBeginning = 1402;
  static constexpr int kAtEnd = 1403;

  explicit RecordSet(QObject* parent = nullptr);
  ~RecordSet() override;

  bool Active() const { return state_ != RecordSetState::kInactive; }
  RecordSetState State() const { return state_; }
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  bool IsEmpty() const { return bof_ && eof_; }
  bool Modified() const { return modified_; }

  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Returns the number of records actually moved (negative backwards).
  int MoveBy(int distance);

  // The record number in the current buffer; 0 when there is none.
  std::int32_t RecNo() const;
  // Goes to that record; a number outside the table moves to the end.
  void SetRecNo(std::int32_t recordNumber);
  using Bookmark = std::int32_t;
  Bookmark GetBookmark() const { return RecNo(); }
  void GotoBookmark(Bookmark bookmark) { SetRecNo(bookmark); }
  static int CompareBookmarks(Bookmark a, Bookmark b) { return a < b ? -1 : (a > b ? 1 : 0); }
  // Records in the table, those marked deleted included.
  std::int32_t RecordCount();
  // Record numbers are positions only without filter and index order.
  virtual bool IsSequenced() = 0;

  void Edit();
  // Both add the new record at the end of the table when posted.
  void Insert();
  void Append() { Insert(); }
  // Posts an edit or insert; false (state kept) when the write was refused.
  bool Post();
  void Cancel();
  void Delete();
  void Refresh();

  // Searches `keyFields` (names separated by ";") for `values`.
  bool Locate(const QString& keyFields, const QVariantList& values, LocateOptions options);
  // The values of `resultFields` (";"-separated) of the record that matches;
  // the record set does not move. Invalid when nothing matches.
  QVariant Lookup(const QString& keyFields, const QVariantList& values,
                  const QString& resultFields);

  // The deletion mark of the current record. Clearing it undeletes the
  // record; setting it deletes the record.
  bool DeletionMark() const { return RecordLayout::Deleted(activeBuffer_); }
  void SetDeletionMark(bool marked);

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  RecordField& Fields(int index) const { return *fields_.at(static_cast<std::size_t>(index)); }
  // Cut to 10 characters, any case; null when missing.
  RecordField* FindField(const QString& name) const;
  // Raises "Field '%s' not found" when missing.
  RecordField& FieldByName(const QString& name) const;
  const RecordLayout& Layout() const { return layout_; }

  // For field objects.
  const RecordBuffer& ActiveBuffer() const { return activeBuffer_; }
  RecordBuffer& BufferForChange(const RecordField& field);
  void FieldChangedInBuffer(const RecordField& field);

  virtual std::unique_ptr<MemoStream> CreateBlobStream(RecordField& field, int mode) = 0;

 signals:
  // The current record moved, or its contents were re-read.
  void Scrolled();
  // The records the set shows may have changed (count, order, contents).
  void DataSetChanged();
  // The record set asks bound controls to store their pending edits.
  void UpdateRecord();
  void StateChanged();
  // A field object changed field `fieldNo` in the active buffer.
  void FieldChanged(int fieldNo);

 protected:
  // Record primitives.
  virtual int TziSetToBegin() = 0;
  virtual int TziSetToEnd() = 0;
  virtual int TziGetRecord(RecordBuffer& buffer) = 0;
  virtual int TziGetNextRecord(RecordBuffer& buffer) = 0;
  virtual int TziGetPriorRecord(RecordBuffer& buffer) = 0;
  virtual std::int32_t TziGetRecordCount() = 0;
  virtual int TziForceReread() = 0;
  virtual int TziInitRecord(RecordBuffer& buffer) = 0;
  // The write primitives return whether the record was written.
  virtual bool AddRecord(const RecordBuffer& buffer) = 0;
  virtual bool DeleteRecord() = 0;
  virtual bool PostRecord(const RecordBuffer& buffer) = 0;
  virtual bool RestoreRecord() = 0;
  virtual void SafeGo(std::int32_t recordNumber) = 0;
  virtual std::int32_t TziSetToBookmark() = 0;
  virtual bool TziLocate(const QStringList& keyFields, const QVariantList& values,
                         LocateOptions options) = 0;
  // Fills `result` with the record that matches; the position is kept.
  virtual bool TziLookup(const QStringList& keyFields, const QVariantList& values,
                         RecordBuffer& result) = 0;
  virtual bool CanModify() const = 0;
  virtual void RaiseBeforeRestore() {}
  virtual void RaiseAfterRestore() {}

  // For the storage: opening sets the layout and shows the first record;
  // closing drops buffers and fields.
  void OpenRecordSet(const DbfFieldProperties& fields);
  void CloseRecordSet();
  // Shows `record` (none: both flags set) in `state`, dropping any edit.
  void ShowRecord(const RecordBuffer* record, RecordSetState state);
  // Shows the storage's current record, re-read, in browse state.
  void ResyncToStorage();
  // The current record moved or was re-read.
  virtual void DidScroll() {}

 private:
  void CheckActive() const;
  void CheckBrowseMode();
  // Raises for codes other than 0, kAtBeginning and kAtEnd.
  static int Check(int code);
  void SetState(RecordSetState state);
  void ReadCurrentOrEnd();
  void SyncStorageToCurrent();
  void NotifyScrolled();

  RecordLayout layout_;
  std::vector<std::unique_ptr<RecordField>> fields_;
  RecordBuffer activeBuffer_;
  RecordBuffer savedBuffer_;  // the browse record while inserting
  bool savedBof_ = false;
  bool savedEof_ = false;
  RecordSetState state_ = RecordSetState::kInactive;
  bool bof_ = true;
  bool eof_ = true;
  bool modified_ = false;
};

}  // namespace pw
