// Lets a grid show only some rows of its record set model: the rows whose
// record number a predicate accepts. Without a predicate every row shows.
// A cell text hook may show other text than the record's field.
#pragma once

#include <QSortFilterProxyModel>
#include <cstdint>
#include <functional>
#include <optional>

namespace pw {

class RecordSetTableModel;

class RecordFilterProxy : public QSortFilterProxyModel {
  Q_OBJECT

 public:
  using Predicate = std::function<bool(std::int32_t recordNumber)>;
  // The text a cell shows instead of its field's; nullopt keeps the field's.
  using CellText = std::function<std::optional<QString>(std::int32_t recordNumber, int column)>;

  explicit RecordFilterProxy(QObject* parent = nullptr);
  void SetRecordModel(RecordSetTableModel* model);
  // Null shows every row.
  void SetPredicate(Predicate predicate);
  bool Filtering() const { return static_cast<bool>(predicate_); }
  std::int32_t RecordNumberAt(int row) const;
  void SetCellText(CellText cellText) { cellText_ = std::move(cellText); }
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  RecordSetTableModel* records_ = nullptr;
  Predicate predicate_;
  CellText cellText_;
};

}  // namespace pw
