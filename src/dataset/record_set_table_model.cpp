#include "dataset/record_set_table_model.h"

#include <QTimer>
#include <algorithm>

namespace pw {

RecordSetTableModel::RecordSetTableModel(TableRecordSet& dataSet, QObject* parent)
    : QAbstractTableModel(parent), dataSet_(dataSet) {
  connect(&dataSet_, &RecordSet::DataSetChanged, this, &RecordSetTableModel::ScheduleReload);
  connect(&dataSet_, &RecordSet::FieldChanged, this, &RecordSetTableModel::ScheduleReload);
  SetColumns({});
}

void RecordSetTableModel::SetColumns(const QList<Column>& columns) {
  beginResetModel();
  columns_ = columns;
  columnFields_.clear();
  if (dataSet_.Active()) {
    if (columns_.isEmpty()) {
      for (int i = 0; i < dataSet_.FieldCount(); ++i) {
        columns_.append({dataSet_.Fields(i).FieldName(), dataSet_.Fields(i).FieldName()});
      }
    }
    for (const Column& column : columns_) {
      const RecordField* field = dataSet_.FindField(column.fieldName);
      columnFields_.push_back(field != nullptr ? field->FieldNo() : -1);
    }
  }
  rowMap_.reset();
  cache_.clear();
  cacheOrder_.clear();
  endResetModel();
}

void RecordSetTableModel::ScheduleReload() {
  if (reloadPending_) return;
  reloadPending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (reloadPending_) Reload();
  });
}

void RecordSetTableModel::Reload() {
  reloadPending_ = false;
  // The fields may differ after the table was opened again.
  QList<Column> chosen = columns_;
  if (columnFields_.size() != static_cast<std::size_t>(columns_.size()) || !dataSet_.Active()) {
    chosen.clear();
  }
  SetColumns(chosen);
}

void RecordSetTableModel::EnsureRowMap() const {
  if (rowMap_) return;
  rowMap_.emplace();
  allRows_ = false;
  rowCount_ = 0;
  if (!dataSet_.Active()) return;
  if (dataSet_.ShowsAllRecords()) {
    allRows_ = true;
    rowCount_ = dataSet_.RecordCount();
  } else {
    *rowMap_ = dataSet_.VisibleRecordNumbers();
    rowCount_ = static_cast<std::int32_t>(rowMap_->size());
  }
}

int RecordSetTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  EnsureRowMap();
  return rowCount_;
}

int RecordSetTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

std::int32_t RecordSetTableModel::RecordNumberAt(int row) const {
  EnsureRowMap();
  if (row < 0 || row >= rowCount_) return 0;
  return allRows_ ? row + 1 : (*rowMap_)[static_cast<std::size_t>(row)];
}

const RecordBuffer* RecordSetTableModel::Row(int row) const {
  if (auto hit = cache_.find(row); hit != cache_.end()) {
    cacheOrder_.splice(cacheOrder_.begin(), cacheOrder_, hit->second.order);
    return hit->second.record.empty() ? nullptr : &hit->second.record;
  }
  // A view asks row after row: read the block from here in one go.
  std::vector<int> rows;
  std::vector<std::int32_t> numbers;
  for (int r = row; r < rowCount_ && static_cast<int>(rows.size()) < kReadBlock; ++r) {
    if (cache_.count(r) != 0) break;
    rows.push_back(r);
    numbers.push_back(RecordNumberAt(r));
  }
  std::vector<RecordBuffer> records;
  dataSet_.ReadRecords(numbers, records);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    cacheOrder_.push_front(rows[i]);
    cache_[rows[i]] = CachedRow{std::move(records[i]), cacheOrder_.begin()};
  }
  while (cache_.size() > static_cast<std::size_t>(kCachedRows)) {
    cache_.erase(cacheOrder_.back());
    cacheOrder_.pop_back();
  }
  const auto found = cache_.find(row);
  return found == cache_.end() || found->second.record.empty() ? nullptr : &found->second.record;
}

int RecordSetTableModel::FieldOfColumn(int column) const {
  if (column < 0 || column >= static_cast<int>(columnFields_.size())) return -1;
  return columnFields_[static_cast<std::size_t>(column)];
}

QVariant RecordSetTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !dataSet_.Active()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole && role != kDeletedRole) return {};
  const int field = FieldOfColumn(index.column());
  if (field < 0 || index.row() >= rowCount()) return {};
  const RecordBuffer* record = Row(index.row());
  if (record == nullptr) return {};
  if (role == kDeletedRole) return RecordLayout::Deleted(*record);
  const RecordField& object = dataSet_.Fields(field);
  return role == Qt::DisplayRole ? QVariant(object.TextIn(*record)) : object.ValueIn(*record);
}

QVariant RecordSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columns_.size()) return {};
  return columns_[section].title;
}

}  // namespace pw
