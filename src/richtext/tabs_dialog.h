// The "Tabs" dialog: the tab stops of the selected paragraphs, in pixels
// from the paragraph's left edge, kept in ascending order.
#pragma once

#include <QDialog>
#include <QList>

class QDoubleSpinBox;
class QListWidget;
class QPushButton;

namespace pw {

class TabsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TabsDialog(QWidget* parent = nullptr);

  void SetTabStops(const QList<qreal>& positions);
  QList<qreal> TabStops() const;

 private:
  void SetStop();
  void ClearStop();
  void ClearAllStops();
  void ShowStops();

  QList<qreal> stops_;
  QDoubleSpinBox* position_;
  QListWidget* list_;
  QPushButton* clear_;
  QPushButton* clearAll_;
};

}  // namespace pw
