#include "grid/record_filter_proxy.h"

#include "dataset/record_set_table_model.h"

namespace pw {

RecordFilterProxy::RecordFilterProxy(QObject* parent) : QSortFilterProxyModel(parent) {
  setDynamicSortFilter(false);
}

void RecordFilterProxy::SetRecordModel(RecordSetTableModel* model) {
  records_ = model;
  setSourceModel(model);
}

void RecordFilterProxy::SetPredicate(Predicate predicate) {
  predicate_ = std::move(predicate);
  invalidateFilter();
}

std::int32_t RecordFilterProxy::RecordNumberAt(int row) const {
  if (records_ == nullptr || row < 0 || row >= rowCount()) return 0;
  return records_->RecordNumberAt(mapToSource(index(row, 0)).row());
}

QVariant RecordFilterProxy::data(const QModelIndex& index, int role) const {
  if (role == Qt::DisplayRole && cellText_ && index.isValid()) {
    if (std::optional<QString> text = cellText_(RecordNumberAt(index.row()), index.column())) {
      return *text;
    }
  }
  return QSortFilterProxyModel::data(index, role);
}

bool RecordFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  if (!predicate_ || records_ == nullptr) return true;
  return predicate_(records_->RecordNumberAt(sourceRow));
}

}  // namespace pw
