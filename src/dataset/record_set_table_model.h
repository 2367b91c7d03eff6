// A table model for grids over a record set: rows are the visible records
// in the current order and filter, columns are fields (all, or a chosen
// subset with titles).
//
// Rows map to record numbers without reading the table into memory. When
// every record is a row (natural order, no filter, deleted records shown)
// row r is record r + 1 and nothing is walked. Otherwise one walk of the
// order collects the visible record numbers, 4 bytes a row; no record is
// converted for it. Record contents are read only for rows the view asks
// for, a block at a time, and kept in a bounded cache. Any change of the
// record set resets the model once, when control returns to the event loop.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <cstdint>
#include <list>
#include <optional>
#include <unordered_map>
#include <vector>

#include "dataset/table_record_set.h"

namespace pw {

class RecordSetTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  struct Column {
    QString fieldName;
    QString title;
  };

  // data() in this role: whether the row's record is marked deleted.
  static constexpr int kDeletedRole = Qt::UserRole + 1;

  explicit RecordSetTableModel(TableRecordSet& dataSet, QObject* parent = nullptr);

  // The columns shown; empty shows every field under its name.
  void SetColumns(const QList<Column>& columns);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The record shown in `row`; 0 outside the rows.
  std::int32_t RecordNumberAt(int row) const;
  // Rebuilds the row map now (the change signals do it later).
  void Reload();

  static constexpr int kCachedRows = 512;
  static constexpr int kReadBlock = 64;

 private:
  void ScheduleReload();
  void EnsureRowMap() const;
  const RecordBuffer* Row(int row) const;
  int FieldOfColumn(int column) const;

  TableRecordSet& dataSet_;
  QList<Column> columns_;
  std::vector<int> columnFields_;  // field index per column
  bool reloadPending_ = false;
  // The row map: nullopt until built; an empty vector with allRows_ means
  // row r is record r + 1.
  mutable std::optional<std::vector<std::int32_t>> rowMap_;
  mutable bool allRows_ = false;
  mutable std::int32_t rowCount_ = 0;
  // Least recently used rows at the back.
  mutable std::list<int> cacheOrder_;
  struct CachedRow {
    RecordBuffer record;
    std::list<int>::iterator order;
  };
  mutable std::unordered_map<int, CachedRow> cache_;
};

}  // namespace pw
