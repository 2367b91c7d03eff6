// Lets a grid show only some rows of its record set model: the rows whose
// record number a predicate accepts. Without a predicate every row shows.
#pragma once

#include <QSortFilterProxyModel>
#include <cstdint>
#include <functional>

namespace pw {

class RecordSetTableModel;

class RecordFilterProxy : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using Predicate = std::function<bool(std::int32_t recordNumber)>;

  explicit RecordFilterProxy(QObject* parent = nullptr);
  void SetRecordModel(RecordSetTableModel* model);
  // Null shows every row.
  void SetPredicate(Predicate predicate);
  bool Filtering() const { return static_cast<bool>(predicate_); }
  std::int32_t RecordNumberAt(int row) const;

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  RecordSetTableModel* records_ = nullptr;
  Predicate predicate_;
};

}  // namespace pw
