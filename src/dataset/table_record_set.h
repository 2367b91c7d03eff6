// The record set of a table component: the record primitives on the
// component's engine work area. It follows the component: opening and
// closing it, and every move of its own cursor by the direct operations,
// show up here; moves made here are handed back to the component's cursor,
// and writes go through the component's lock loops.
#pragma once

#include <QPointer>
#include <cstdint>
#include <memory>
#include <vector>

#include "dataset/dbf_table.h"
#include "dataset/memo_stream.h"
#include "dataset/record_set.h"

namespace pw {

class TableRecordSet : public RecordSet, public BlobStreamHost {
  Q_OBJECT

 public:
  explicit TableRecordSet(DbfTable& table, QObject* parent = nullptr);
  ~TableRecordSet() override;

  DbfTable& Table() const { return table_; }
  bool IsSequenced() override;
  // Whether every record is a row: sequenced, and no record hidden.
  bool ShowsAllRecords();

  std::unique_ptr<MemoStream> CreateBlobStream(RecordField& field, int mode) override;

  // For grids. The record numbers of the visible records in the current
  // order (one walk of the order; record contents are not converted).
  std::vector<std::int32_t> VisibleRecordNumbers();
  // Reads records `numbers` into `rows` without moving the record set or
  // disturbing the engine's record buffer; a record that cannot be read
  // gives an empty buffer.
  void ReadRecords(const std::vector<std::int32_t>& numbers, std::vector<RecordBuffer>& rows);
  // Records converted for display so far (a grid's cost).
  std::int64_t RecordReads() const { return recordReads_; }

  // BlobStreamHost.
  bool SelectForBlob(const char* operation) override;
  bool BlobTranslates() const override;
  std::int32_t BlobReference(int field) const override;
  void BlobWritten(int field, int mode, std::int32_t block) override;

 protected:
  int TziSetToBegin() override;
  int TziSetToEnd() override;
  int TziGetRecord(RecordBuffer& buffer) override;
  int TziGetNextRecord(RecordBuffer& buffer) override;
  int TziGetPriorRecord(RecordBuffer& buffer) override;
  std::int32_t TziGetRecordCount() override;
  int TziForceReread() override;
  int TziInitRecord(RecordBuffer& buffer) override;
  bool AddRecord(const RecordBuffer& buffer) override;
  bool DeleteRecord() override;
  bool PostRecord(const RecordBuffer& buffer) override;
  bool RestoreRecord() override;
  void SafeGo(std::int32_t recordNumber) override;
  std::int32_t TziSetToBookmark() override;
  bool TziLocate(const QStringList& keyFields, const QVariantList& values,
                 LocateOptions options) override;
  bool TziLookup(const QStringList& keyFields, const QVariantList& values,
                 RecordBuffer& result) override;
  bool CanModify() const override;
  void RaiseBeforeRestore() override;
  void RaiseAfterRestore() override;
  void DidScroll() override;

 private:
  // Selects the work area; raises when the table is not open.
  void Select(const char* operation);
  // Engine code of the last operation (0 when it succeeded).
  static int EngineCode();
  void CopyCurrent(RecordBuffer& buffer);
  void CopyToTable(const RecordBuffer& buffer);
  bool SearchActiveOrder(const QVariantList& values, LocateOptions options);
  void FollowTable();

  DbfTable& table_;
  bool atBegin_ = false;
  bool atEnd_ = false;
  bool following_ = false;  // the table's cursor is being updated from here
  std::int64_t recordReads_ = 0;
};

}  // namespace pw
